#include "ui/table3d/table3ddialog.h"

#include "core/markup/editorstate.h"
#include "core/markup/elementmarkers.h"
#include "core/markup/elementselection.h"
#include "core/markup/insertion.h"
#include "core/shell/documenthost.h"
#include "core/text/documenttext.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/preferences/colorswatchbutton.h"
#include "ui/shell/uiguards.h"
#include "ui/table/tablecommands.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

QColor toQColor(HtmlColor c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

HtmlColor fromQColor(const QColor &c)
{
    return HtmlColor(c.red()) | HtmlColor(c.green()) << 8 | HtmlColor(c.blue()) << 16;
}

} // namespace

// The box as the page will show it: the face colour, a shadow to the right
// and below, the text inside with 12-pixel margins.
class Table3dPreview : public QWidget
{
public:
    explicit Table3dPreview(const TTable3dFrm &dialog, QWidget *parent)
        : QWidget(parent)
        , m_dialog(dialog)
    {
        setMinimumSize(260, 120);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const Table3dSettings s = m_dialog.settings();
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Base));
        const QRect face = rect().adjusted(4, 4, -20, -20);
        p.fillRect(face.translated(16, 16), toQColor(s.shadowColor));
        p.fillRect(face, toQColor(s.faceColor));
        QFont font(s.face);
        font.setPointSize(Table3dPointSize(s.size));
        p.setFont(font);
        p.setPen(toQColor(s.textColor));
        p.drawText(face.adjusted(12, 12, -12, -12), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   s.lines.join(QLatin1Char('\n')));
    }

private:
    const TTable3dFrm &m_dialog;
};

TTable3dFrm::TTable3dFrm(DialogServices &services, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Tableau 3D"), QStringLiteral("tableau.html"), parent)
{
    body()->addWidget(note(QStringLiteral("Un tableau 3D donne l'effet d'un ombrage sur ses bordures.")));
    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    m_text = new QPlainTextEdit(this);
    m_text->setTabChangesFocus(true);
    m_text->setMinimumHeight(70);
    auto *textLabel = new QLabel(QStringLiteral("&Texte:"), this);
    textLabel->setBuddy(m_text);
    left->addWidget(textLabel);
    left->addWidget(m_text, 1);

    auto *form = new QFormLayout;
    m_fontName = new QComboBox(this);
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    m_fontName->addItems(families);
    m_fontName->setCurrentText(font().family());
    m_fontSize = new QComboBox(this);
    m_fontSize->setEditable(true);
    for (int i = 1; i <= 7; ++i)
        m_fontSize->addItem(QString::number(i));
    m_fontSize->lineEdit()->setMaxLength(1);
    m_fontSize->setCurrentText(QStringLiteral("3"));
    addFieldRow(form, QStringLiteral("&Police:"), m_fontName);
    addFieldRow(form, QStringLiteral("Tai&lle:"), m_fontSize);
    left->addLayout(form);

    auto *colours = new QGroupBox(QStringLiteral("Couleurs"), this);
    auto *colourForm = new QFormLayout(colours);
    const Table3dSettings defaults;
    m_textColor = new ColorSwatchButton(colours);
    m_textColor->setColor(toQColor(defaults.textColor));
    m_faceColor = new ColorSwatchButton(colours);
    m_faceColor->setColor(toQColor(defaults.faceColor));
    m_shadowColor = new ColorSwatchButton(colours);
    m_shadowColor->setColor(toQColor(defaults.shadowColor));
    addFieldRow(colourForm, QStringLiteral("Te&xte:"), m_textColor);
    addFieldRow(colourForm, QStringLiteral("&Face:"), m_faceColor);
    addFieldRow(colourForm, QStringLiteral("&Ombre:"), m_shadowColor);
    left->addWidget(colours);
    columns->addLayout(left);

    m_preview = new Table3dPreview(*this, this);
    columns->addWidget(m_preview, 1);
    body()->addLayout(columns, 1);

    const auto repaint = [this] { m_preview->update(); };
    connect(m_text, &QPlainTextEdit::textChanged, this, repaint);
    connect(m_fontName, &QComboBox::currentTextChanged, this, repaint);
    connect(m_fontSize, &QComboBox::currentTextChanged, this, &TTable3dFrm::sizeChanged);
    for (ColorSwatchButton *b : {m_textColor, m_faceColor, m_shadowColor})
        connect(b, &ColorSwatchButton::colorChanged, this, repaint);
    m_text->setFocus();
}

QWidget *TTable3dFrm::preview() const
{
    return m_preview;
}

void TTable3dFrm::sizeChanged()
{
    // An empty field is let be while typing; anything else outside 1..7
    // goes back to 3.
    const QString text = m_fontSize->currentText();
    if (!text.isEmpty() && Table3dSize(text) != text)
        m_fontSize->setCurrentText(Table3dSize(text));
    m_preview->update();
}

Table3dSettings TTable3dFrm::settings() const
{
    Table3dSettings s;
    const QString text = m_text->toPlainText();
    if (!text.isEmpty())
        s.lines = text.split(QLatin1Char('\n'));
    s.face = m_fontName->currentText();
    s.size = Table3dSize(m_fontSize->currentText());
    s.textColor = fromQColor(m_textColor->color());
    s.faceColor = fromQColor(m_faceColor->color());
    s.shadowColor = fromQColor(m_shadowColor->color());
    return s;
}

bool TTable3dFrm::confirm()
{
    DocumentHost &host = services().host;
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return true;
    {
        BusyCursor busy;
        PaintingFreeze freeze(host.window());
        InsertTagPair(*text, *undo, host.editorState(), Table3dText(settings()), QString(), true, true, ukInsert);
    }
    host.UpdateCommandStates();
    return true;
}

void RunTable3dCommand(DocumentHost &host, DialogServices &services, const std::function<int(TTable3dFrm &)> &exec3d,
                       const std::function<int(TTableFrm &)> &execTable)
{
    DocumentText *text = host.activeText();
    if (!text || !host.activeUndo())
        return;
    EditorState &state = host.editorState();
    const ElementEditMode mode = ApplyElementEditMode(*text, state, MarkersForCommand(QStringLiteral("Table3dBtn")));
    if (mode == ElementEditMode::Edit && !state.SelectedElementText.isEmpty()) {
        RunTableCommand(host, services, execTable);
        return;
    }
    // A nested table is not re-edited here: the box goes in before it.
    text->setSelectionLength(0);
    state.SelectedElementText.clear();
    TTable3dFrm dialog(services, host.window());
    if (exec3d)
        exec3d(dialog);
    else
        dialog.exec();
    host.UpdateCommandStates();
}
