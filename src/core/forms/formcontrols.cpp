#include "core/forms/formcontrols.h"
#include "core/attributes/starttag.h"

#include "core/forms/formelement.h"
#include "core/markup/identifiers.h"

namespace {

const QString crlf = QStringLiteral("\r\n");

QString eventAttributes(const FormControl &control)
{
    QString out;
    for (JsEvent event : ControlEvents(control.kind, control.subKind)) {
        const QString code = control.events.call(event);
        if (!code.isEmpty())
            out += u' ' + jsEventName(event) + u'=' + QuotedValue(code);
    }
    return out;
}

QString quoted(const QString &value)
{
    return QuotedValue(value);
}

QString group(const FormControl &control, const char *type)
{
    const QString name = MakeIdentifier(control.name);
    const QString events = eventAttributes(control);
    const QString br = control.lineBreaks ? QStringLiteral("<BR>") : QString();
    QStringList lines;
    for (const ChoiceValue &value : control.values) {
        lines << QStringLiteral("<INPUT TYPE=\"") + QLatin1String(type) + QStringLiteral("\" NAME=\"") + name
                     + QStringLiteral("\" VALUE=") + quoted(value.caption)
                     + (value.checked ? QStringLiteral(" CHECKED") : QString()) + events + QStringLiteral("> ")
                     + value.caption + br;
    }
    return lines.join(crlf) + crlf;
}

QString options(const FormControl &control, bool withDefault)
{
    QString out;
    for (const ChoiceValue &value : control.values) {
        if (withDefault && value.checked)
            out += QStringLiteral("  <OPTION SELECTED> ") + value.caption + crlf;
        else
            out += QStringLiteral("  <OPTION VALUE=") + quoted(value.caption) + QStringLiteral("> ") + value.caption
                   + crlf;
    }
    return out + QStringLiteral("</SELECT>") + crlf;
}

QString select(const FormControl &control)
{
    QString tag = QStringLiteral("<SELECT NAME=\"") + MakeIdentifier(control.name) + u'"';
    if (control.kind == ControlKind::ListBox) {
        const int size = control.visibleLines > 0 ? control.visibleLines : int(control.values.size());
        tag += QStringLiteral(" SIZE=") + QString::number(size);
        if (control.multiple)
            tag += QStringLiteral(" MULTIPLE");
    }
    return tag + eventAttributes(control) + u'>' + crlf + options(control, control.kind == ControlKind::DropDown);
}

QString textArea(const FormControl &control)
{
    QString tag = QStringLiteral("<TEXTAREA NAME=\"") + MakeIdentifier(control.name) + u'"';
    if (control.columns != 0)
        tag += QStringLiteral(" COLS=") + QString::number(control.columns);
    if (control.rows != 0)
        tag += QStringLiteral(" ROWS=") + QString::number(control.rows);
    if (control.wrap == WrapVirtual)
        tag += QStringLiteral(" WRAP=virtual");
    else if (control.wrap == WrapPhysical)
        tag += QStringLiteral(" WRAP=physical");
    QString out = tag + eventAttributes(control) + u'>' + crlf;
    if (!control.initialText.isEmpty()) {
        QString text = control.initialText;
        text.replace(crlf, QStringLiteral("\n")).replace(u'\r', u'\n');
        for (const QString &line : text.split(u'\n'))
            out += line + crlf;
    }
    return out + QStringLiteral("</TEXTAREA>") + crlf;
}

QString textBox(const FormControl &control)
{
    const char *type = control.subKind == PasswordBox ? "password" : "text";
    QString tag = QStringLiteral("<INPUT TYPE=\"") + QLatin1String(type) + QStringLiteral("\" NAME=\"")
                  + MakeIdentifier(control.name) + u'"';
    if (control.visibleLength != 0)
        tag += QStringLiteral(" SIZE=") + QString::number(control.visibleLength);
    if (control.maxLength != 0)
        tag += QStringLiteral(" MAXLENGTH=\"") + QString::number(control.maxLength) + u'"';
    if (!control.value.isEmpty())
        tag += QStringLiteral(" VALUE=") + quoted(control.value);
    return tag + eventAttributes(control) + u'>' + crlf;
}

QString button(const FormControl &control)
{
    static const char *const types[] = {"button", "reset", "submit"};
    const int type = control.subKind >= 0 && control.subKind < 3 ? control.subKind : 0;
    return QStringLiteral("<INPUT TYPE=\"") + QLatin1String(types[type]) + QStringLiteral("\" VALUE=")
           + quoted(control.value) + eventAttributes(control) + u'>' + crlf;
}

QString hidden(const FormControl &control)
{
    QString tag = QStringLiteral("<INPUT TYPE=\"hidden\"");
    const QString name = MakeIdentifier(control.name);
    if (!name.isEmpty())
        tag += QStringLiteral(" NAME=\"") + name + u'"';
    if (!control.value.isEmpty())
        tag += QStringLiteral(" VALUE=") + quoted(control.value);
    return tag + u'>' + crlf;
}

} // namespace

std::vector<JsEvent> ControlEvents(ControlKind kind, int subKind)
{
    switch (kind) {
    case ControlKind::CheckBoxes:
    case ControlKind::RadioButtons:
    case ControlKind::Button:
        return {JsEvent::onClick};
    case ControlKind::ListBox:
    case ControlKind::DropDown:
        return {JsEvent::onFocus, JsEvent::onBlur, JsEvent::onChange};
    case ControlKind::TextBox:
        if (subKind == PasswordBox)
            return {};
        [[fallthrough]];
    case ControlKind::TextArea:
        return {JsEvent::onSelect, JsEvent::onFocus, JsEvent::onBlur, JsEvent::onChange};
    case ControlKind::Hidden:
        break;
    }
    return {};
}

int ControlProblem(const FormControl &control)
{
    switch (control.kind) {
    case ControlKind::CheckBoxes:
    case ControlKind::RadioButtons:
    case ControlKind::ListBox:
    case ControlKind::DropDown:
        if (MakeIdentifier(control.name).isEmpty())
            return 25;
        return control.values.isEmpty() ? 76 : 0;
    case ControlKind::TextArea:
    case ControlKind::TextBox:
        return MakeIdentifier(control.name).isEmpty() ? 25 : 0;
    case ControlKind::Button:
    case ControlKind::Hidden:
        return control.value.isEmpty() ? 76 : 0;
    }
    return 0;
}

QString ControlMarkup(const FormControl &control)
{
    switch (control.kind) {
    case ControlKind::CheckBoxes:
        return group(control, "checkbox");
    case ControlKind::RadioButtons:
        return group(control, "radio");
    case ControlKind::ListBox:
    case ControlKind::DropDown:
        return select(control);
    case ControlKind::TextArea:
        return textArea(control);
    case ControlKind::TextBox:
        return textBox(control);
    case ControlKind::Button:
        return button(control);
    case ControlKind::Hidden:
        return hidden(control);
    }
    return QString();
}
