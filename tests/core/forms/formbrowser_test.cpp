#include "core/forms/formcontrols.h"
#include "core/forms/formelement.h"
#include "support/headlessbrowser.h"

#include <gtest/gtest.h>

namespace {

// Lists what the browser made of every form of the page: one line per form
// and per control (type, name, value, checked state, options with the
// selected ones starred).
const char *const describeForms = R"(<PRE ID="out"></PRE>
<SCRIPT>
var out = [];
for (var f of document.forms) {
  out.push('FORM ' + f.name + ' ' + f.method + ' ' + (f.getAttribute('action') || '') + ' ' + f.target);
  for (var e of f.elements) {
    var s = e.type + ' ' + e.name + '=' + e.value;
    if (e.type == 'checkbox' || e.type == 'radio') s += e.checked ? ' checked' : '';
    if (e.type == 'text' || e.type == 'password') s += ' size=' + e.size + ' max=' + e.maxLength;
    if (e.type == 'textarea') s += ' ' + e.cols + 'x' + e.rows;
    if (e.options) {
      s += ' size=' + e.size + (e.multiple ? ' multiple' : '') + ' [';
      for (var o of e.options) s += o.value + (o.selected ? '*' : '') + ';';
      s += ']';
    }
    out.push(s);
  }
}
document.getElementById('out').textContent = out.join('\n');
</SCRIPT>)";

TEST(FormsInABrowser, ControlsHaveTheNamesAndValuesTheBuilderWrites)
{
    if (!HeadlessBrowser::available())
        GTEST_SKIP() << qPrintable(HeadlessBrowser::missingReason());

    auto make = [](ControlKind kind, const char *name, QList<ChoiceValue> values = {}) {
        FormControl c;
        c.kind = kind;
        c.name = QString::fromUtf8(name);
        c.values = values;
        return c;
    };
    QList<FormControl> controls;
    controls << make(ControlKind::CheckBoxes, "choix", {{"Oui", false}, {"Non", true}});
    controls << make(ControlKind::RadioButtons, "taille", {{"S"}, {"M", true}, {"L"}});
    FormControl list = make(ControlKind::ListBox, "pays", {{"France"}, {"Suisse"}});
    list.multiple = true;
    controls << list;
    controls << make(ControlKind::DropDown, "mois", {{"Janvier"}, {"Fevrier", true}, {"Mars"}});
    controls << make(ControlKind::DropDown, "jour", {{"lundi"}, {"mardi"}});
    FormControl area = make(ControlKind::TextArea, "avis");
    area.columns = 30;
    area.rows = 4;
    area.initialText = QStringLiteral("ligne");
    controls << area;
    FormControl password = make(ControlKind::TextBox, "code");
    password.subKind = PasswordBox;
    controls << password;
    FormControl text = make(ControlKind::TextBox, "nom");
    text.value = QStringLiteral("dit \"oui\"");
    text.maxLength = 12;
    controls << text;
    for (int type : {PlainButton, ResetButton, SubmitButton}) {
        FormControl button = make(ControlKind::Button, "");
        button.subKind = type;
        button.value = QStringLiteral("B") + QString::number(type);
        controls << button;
    }
    FormControl hidden = make(ControlKind::Hidden, "cle");
    hidden.value = QStringLiteral("42");
    controls << hidden;

    QString page = QStringLiteral("<HTML><BODY>\r\n");
    FormElement form;
    form.name = QStringLiteral("f1");
    form.action = QStringLiteral("envoi.pl");
    form.post = false;
    form.target = QStringLiteral("_blank");
    page += FormStartTag(form) + QStringLiteral("\r\n</FORM>\r\n");
    for (const FormControl &c : controls)
        page += FormStartTag(FormElement()) + QStringLiteral("\r\n") + ControlMarkup(c) + QStringLiteral("</FORM>");
    page += QString::fromUtf8(describeForms) + QStringLiteral("</BODY></HTML>");

    const QString dom = HeadlessBrowser::dumpDomOfMarkup(page);
    const qsizetype start = dom.indexOf(QStringLiteral("<pre id=\"out\">"));
    ASSERT_GE(start, 0) << qPrintable(dom.left(2000));
    const qsizetype end = dom.indexOf(QStringLiteral("</pre>"), start);
    const QStringList seen = dom.mid(start + 14, end - start - 14).split(u'\n');
    const QStringList expected = {
        "FORM f1 get envoi.pl _blank",
        "FORM  get  ",
        "checkbox choix=Oui",
        "checkbox choix=Non checked",
        "FORM  get  ",
        "radio taille=S",
        "radio taille=M checked",
        "radio taille=L",
        "FORM  get  ",
        "select-multiple pays= size=3 multiple [France;Suisse;]",
        "FORM  get  ",
        "select-one mois=Fevrier size=0 [Janvier;Fevrier*;Mars;]",
        "FORM  get  ",
        "select-one jour=lundi size=0 [lundi*;mardi;]",
        "FORM  get  ",
        "textarea avis=ligne\n 30x4",
        "FORM  get  ",
        "password code= size=40 max=40",
        "FORM  get  ",
        "text nom=dit \"oui\" size=40 max=12",
        "FORM  get  ",
        "button =B0",
        "FORM  get  ",
        "reset =B1",
        "FORM  get  ",
        "submit =B2",
        "FORM  get  ",
        "hidden cle=42",
    };
    EXPECT_EQ(seen.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
}

} // namespace
