#include "ui/find/finddialog.h"

#include "core/findfiles/matcher.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "core/undo/undohistory.h"
#include "core/wholetext/wholetext.h"
#include "ui/text/textview.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

const QString FindCaption = QStringLiteral("Rechercher");
const QString ReplaceCaption = QStringLiteral("Remplacer");
const QString FindLabel = QStringLiteral("Texte à trouver:");
const QString ReplaceLabel = QStringLiteral("Texte à remplacer:");
const QString OptionsTitle = QStringLiteral("Options");
const QString MatchCaseText = QStringLiteral("Distinction des majuscules/minuscules");
const QString WholeWordText = QStringLiteral("Mot au complet seulement");
const QString DirectionTitle = QStringLiteral("Direction");
const QString GlobalText = QStringLiteral("Globalement");
const QString DownwardText = QStringLiteral("Vers le bas");
const QString FindButtonText = QStringLiteral("&Trouver");
const QString ReplaceButtonText = QStringLiteral("&Remplacer");
const QString ReplaceAllButtonText = QStringLiteral("Remplacer &tous");
const QString HelpButtonText = QStringLiteral("&Aide");
const QString CloseButtonText = QStringLiteral("&Fermer");
const QString CutText = QStringLiteral("&Couper");
const QString CopyText = QStringLiteral("Co&pier");
const QString PasteText = QStringLiteral("C&oller");
const QString DeleteText = QStringLiteral("E&ffacer");

// The combos take texts of at most this many characters.
constexpr int MaxSearchLength = 256;
// Help topic of the dialog.
constexpr int HelpTopic = 143;
// Distance of the moved dialog from the main window's top or bottom edge.
constexpr int EdgeGap = 22;

// Shows the hourglass for the length of a scope.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

int dialogTopAwayFromCaret(int caretLine, int visibleLines, const QRect &mainFrame, int dialogHeight)
{
    if (caretLine <= visibleLines / 2)
        return mainFrame.top() + mainFrame.height() - dialogHeight - EdgeGap;
    return mainFrame.top() + EdgeGap;
}

TRechercheFrm::TRechercheFrm(DocumentHost &host, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
    , m_findCombo(makeCombo(QStringLiteral("findText")))
    , m_replaceLabel(new QLabel(ReplaceLabel, this))
    , m_replaceCombo(makeCombo(QStringLiteral("replaceText")))
    , m_matchCase(new QCheckBox(MatchCaseText, this))
    , m_wholeWord(new QCheckBox(WholeWordText, this))
    , m_regex(new QCheckBox(msg(9855), this))
    , m_patternError(new QLabel(this))
    , m_global(new QRadioButton(GlobalText, this))
    , m_downward(new QRadioButton(DownwardText, this))
    , m_findButton(new QPushButton(FindButtonText, this))
    , m_replaceButton(new QPushButton(ReplaceButtonText, this))
    , m_replaceAllButton(new QPushButton(ReplaceAllButtonText, this))
    , m_helpButton(new QPushButton(HelpButtonText, this))
    , m_closeButton(new QPushButton(CloseButtonText, this))
{
    setObjectName(QStringLiteral("TRechercheFrm"));
    setModal(false);
    m_matchCase->setObjectName(QStringLiteral("matchCase"));
    m_wholeWord->setObjectName(QStringLiteral("wholeWord"));
    m_regex->setObjectName(QStringLiteral("regex"));
    m_regex->setStatusTip(msg(9856));
    m_regex->setToolTip(msg(9856));
    m_patternError->setObjectName(QStringLiteral("patternError"));
    m_patternError->setWordWrap(true);
    m_patternError->setStyleSheet(QStringLiteral("color: #b00000"));
    m_patternError->hide();
    m_global->setObjectName(QStringLiteral("global"));
    m_downward->setObjectName(QStringLiteral("downward"));
    m_findButton->setObjectName(QStringLiteral("findButton"));
    m_replaceButton->setObjectName(QStringLiteral("replaceButton"));
    m_replaceAllButton->setObjectName(QStringLiteral("replaceAllButton"));
    m_helpButton->setObjectName(QStringLiteral("helpButton"));
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_replaceLabel->setObjectName(QStringLiteral("replaceLabel"));
    m_global->setChecked(true);

    auto *findLabel = new QLabel(FindLabel, this);
    findLabel->setBuddy(m_findCombo);
    m_replaceLabel->setBuddy(m_replaceCombo);

    auto *options = new QGroupBox(OptionsTitle, this);
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(m_matchCase);
    optionsLayout->addWidget(m_wholeWord);
    optionsLayout->addWidget(m_regex);
    auto *direction = new QGroupBox(DirectionTitle, this);
    auto *directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(m_global);
    directionLayout->addWidget(m_downward);

    auto *fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_findCombo, 0, 1);
    fields->addWidget(m_replaceLabel, 1, 0);
    fields->addWidget(m_replaceCombo, 1, 1);
    auto *groups = new QHBoxLayout;
    groups->addWidget(options);
    groups->addWidget(direction);
    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(groups);
    left->addWidget(m_patternError);
    left->addStretch();

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {m_findButton, m_replaceButton, m_replaceAllButton, m_helpButton, m_closeButton}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_findButton, &QPushButton::clicked, this, &TRechercheFrm::findClicked);
    connect(m_replaceButton, &QPushButton::clicked, this, &TRechercheFrm::replaceClicked);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &TRechercheFrm::replaceAllClicked);
    connect(m_helpButton, &QPushButton::clicked, this, [this] { emit helpRequested(HelpTopic); });
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_regex, &QCheckBox::toggled, this, [this] {
        forgetMatch();
        m_patternError->hide();
    });

    setMode(Mode::Find);
}

QComboBox *TRechercheFrm::makeCombo(const QString &name)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // No inline completion from the history: it would turn a typed "chi"
    // into "chien" on Enter, and after a search, with the text selected, it
    // would take Enter for itself instead of the default button. The history
    // stays in the drop-down list.
    combo->setCompleter(nullptr);
    combo->setMaxCount(MaxHistory);
    combo->setMinimumContentsLength(30);
    combo->lineEdit()->setMaxLength(MaxSearchLength);
    combo->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(combo, &QComboBox::editTextChanged, this, [this] {
        if (!m_updatingHistory)
            forgetMatch();
        m_patternError->hide();
    });
    connect(combo->lineEdit(), &QWidget::customContextMenuRequested, this, [this, combo](const QPoint &position) {
        QMenu *menu = createComboMenu(combo);
        menu->exec(combo->lineEdit()->mapToGlobal(position));
        delete menu;
    });
    return combo;
}

QMenu *TRechercheFrm::createComboMenu(QComboBox *combo)
{
    QLineEdit *edit = combo->lineEdit();
    auto *menu = new QMenu(this);
    const bool selected = edit->hasSelectedText();
    const QMimeData *clipboard = QGuiApplication::clipboard()->mimeData();
    const bool clipboardHasText = clipboard && clipboard->hasText() && !clipboard->text().isEmpty();

    QAction *cut = menu->addAction(CutText);
    cut->setEnabled(selected);
    connect(cut, &QAction::triggered, edit, &QLineEdit::cut);
    QAction *copy = menu->addAction(CopyText);
    copy->setEnabled(selected);
    connect(copy, &QAction::triggered, edit, &QLineEdit::copy);
    QAction *paste = menu->addAction(PasteText);
    paste->setEnabled(clipboardHasText);
    connect(paste, &QAction::triggered, edit, &QLineEdit::paste);
    QAction *remove = menu->addAction(DeleteText);
    remove->setEnabled(selected);
    connect(remove, &QAction::triggered, edit, &QLineEdit::del);
    return menu;
}

void TRechercheFrm::setMode(Mode mode)
{
    m_mode = mode;
    const bool replacing = mode == Mode::Replace;
    m_replaceLabel->setVisible(replacing);
    m_replaceCombo->setVisible(replacing);
    m_replaceAllButton->setVisible(replacing);
    setWindowTitle(replacing ? ReplaceCaption : FindCaption);
    m_findButton->setDefault(!replacing);
    m_replaceButton->setDefault(replacing);
    m_state.MatchSelected = false;
}

void TRechercheFrm::present(Mode mode)
{
    setMode(mode);
    m_state.SearchOrigin = -1;
    show();
    raise();
    activateWindow();
    m_findCombo->setFocus();
}

void TRechercheFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_state.SearchOrigin = -1;
    m_findCombo->setFocus();
}

DocumentText *TRechercheFrm::activeText()
{
    DocumentText *text = m_host.activeText();
    // A cycle of searches belongs to one document.
    if (text != m_lastText) {
        m_lastText = text;
        m_state = SearchState();
    }
    return text;
}

SearchOptions TRechercheFrm::options() const
{
    return SearchOptions{m_matchCase->isChecked(), m_wholeWord->isChecked(), m_regex->isChecked()};
}

bool TRechercheFrm::checkPattern()
{
    if (!m_regex->isChecked())
        return true;
    const Matcher matcher(m_findCombo->currentText(), MatchOptions{false, false, true});
    if (matcher.isValid()) {
        m_patternError->hide();
        return true;
    }
    m_patternError->setText(matcher.errorText());
    m_patternError->show();
    m_findCombo->setFocus();
    return false;
}

bool TRechercheFrm::reportStopped()
{
    if (!m_state.Stopped)
        return false;
    m_host.prompts().warning(msg(9854));
    return true;
}

bool TRechercheFrm::global() const
{
    return m_global->isChecked();
}

void TRechercheFrm::forgetMatch()
{
    m_state.MatchSelected = false;
    m_state.SearchOrigin = -1;
}

void TRechercheFrm::addToHistory(QComboBox *combo)
{
    const QString text = combo->currentText();
    if (text.isEmpty())
        return;
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    ::addToHistory(entries, text);
    m_updatingHistory = true;
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(0);
    combo->setEditText(text);
    m_updatingHistory = false;
}

bool TRechercheFrm::FindNext(const QString &text, bool global, bool quiet, bool matchCase, bool wholeWord)
{
    DocumentText *document = activeText();
    if (!document)
        return false;
    if (!checkPattern())
        return false;
    if (!::FindNext(*document, m_state, text, global, SearchOptions{matchCase, wholeWord, m_regex->isChecked()}))
        return false;
    if (!quiet)
        moveAwayFromMatch();
    return true;
}

void TRechercheFrm::findClicked()
{
    DocumentText *text = activeText();
    const QString needle = m_findCombo->currentText();
    if (!text || needle.isEmpty() || !checkPattern())
        return;
    if (FindCommand(*text, m_state, needle, global(), options())) {
        moveAwayFromMatch();
        addToHistory(m_findCombo);
        m_findCombo->lineEdit()->selectAll();
    } else if (!reportStopped()) {
        m_host.prompts().warning(msg(33));
    }
}

void TRechercheFrm::replaceClicked()
{
    if (m_mode == Mode::Find) {
        setMode(Mode::Replace);
        m_replaceCombo->setFocus();
        return;
    }
    DocumentText *text = activeText();
    UndoHistory *undo = m_host.activeUndo();
    const QString needle = m_findCombo->currentText();
    if (!text || !undo || needle.isEmpty() || !checkPattern())
        return;
    const ReplaceStep step = ReplaceCommand(*text, *undo, m_host.editorState(), m_state, needle,
                                            m_replaceCombo->currentText(), global(), options());
    if (step.replaced) {
        addToHistory(m_replaceCombo);
        m_host.UpdateCommandStates();
    }
    if (!step.found) {
        if (!reportStopped())
            m_host.prompts().warning(msg(34));
        return;
    }
    moveAwayFromMatch();
    addToHistory(m_findCombo);
    m_replaceCombo->setFocus();
}

void TRechercheFrm::replaceAllClicked()
{
    DocumentText *text = activeText();
    UndoHistory *undo = m_host.activeUndo();
    const QString needle = m_findCombo->currentText();
    if (!text || !undo || needle.isEmpty() || !checkPattern())
        return;
    addToHistory(m_findCombo);
    addToHistory(m_replaceCombo);
    qsizetype count;
    {
        WaitCursor wait;
        count = ReplaceAll(*text, *undo, needle, m_replaceCombo->currentText(), options(), !global());
    }
    // The whole text is new: no match is selected and the cycle is over.
    forgetMatch();
    m_host.UpdateCommandStates();
    if (count == ReplaceAllStopped)
        m_host.prompts().warning(msg(9854) + msg(9857));
    else if (count < 0)
        m_host.prompts().error(Texts::WholeTextTooLong);
    else
        m_host.prompts().warning(msg(33) + QLatin1Char(' ') + QString::number(count) + msg(35));
}

void TRechercheFrm::repeatSearch()
{
    const QString needle = m_findCombo->currentText();
    if (m_mode == Mode::Replace) {
        if (!needle.isEmpty() && !m_replaceCombo->currentText().isEmpty())
            replaceClicked();
        return;
    }
    if (needle.isEmpty() || !activeText())
        return;
    if (FindNext(needle, false, true, m_matchCase->isChecked(), m_wholeWord->isChecked()))
        return;
    // F3 works with the dialog closed: the expression's fault is told then.
    if (!m_patternError->isHidden()) {
        if (!isVisible())
            m_host.prompts().warning(m_patternError->text());
    } else if (!reportStopped()) {
        m_host.prompts().warning(msg(33));
    }
}

void TRechercheFrm::moveAwayFromMatch()
{
    QWidget *main = m_host.window();
    DocumentText *text = m_host.activeText();
    if (!main || !text)
        return;
    main->raise();

    int lineHeight = std::abs(fontMetrics().height()) + 4;
    int editorHeight = main->height();
    int caretY = (text->lineFromPosition(text->selectionStart()) - text->firstVisibleLine()) * lineHeight;
    // The editor the user worked in last, when the window can tell.
    if (auto *editor = qobject_cast<TextView *>(main->focusWidget())) {
        lineHeight = std::abs(editor->fontMetrics().height()) + 4;
        editorHeight = editor->height();
        caretY = editor->caretRect().y();
    }
    const int visibleLines = std::max(1, (editorHeight - 40) / lineHeight + 1);
    const int caretLine = caretY / lineHeight + 1;
    const int top = dialogTopAwayFromCaret(caretLine, visibleLines, main->frameGeometry(), frameGeometry().height());
    move(x(), top);
    raise();
}

QString TRechercheFrm::searchText() const
{
    return m_findCombo->currentText();
}
