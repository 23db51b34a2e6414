#include "ui/tagcommands/tooltabs.h"

#include "core/shell/documenthost.h"
#include "ui/tagcommands/colourdialogchooser.h"
#include "core/tagcommands/tagcommands.h"

#include <QAction>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QToolButton>

// The glyphs live in the window library's resources, which a static
// library must register itself.
static void initToolbarIcons()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    Q_UNUSED(done);
}

QIcon toolbarIcon(const QString &name)
{
    initToolbarIcons();
    return QIcon(QStringLiteral(":/icons/") + name + QStringLiteral(".svg"));
}

namespace {

constexpr int GlyphSize = 24;

} // namespace

ToolTabs::ToolTabs(DocumentHost &host, QWidget *parent)
    : QTabWidget(parent)
    , m_host(host)
    , m_dialogChooser(std::make_unique<ColourDialogChooser>([&host] { return host.window(); }))
    , m_colour(*m_dialogChooser)
{
    setObjectName(QStringLiteral("ToolTabs"));
    setDocumentMode(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    for (int i = 0; i < tagPages().size(); ++i)
        addPage(i);
    setDocumentOpen(false);
}

ToolTabs::~ToolTabs() = default;

QAction *ToolTabs::createAction(const TagCommand &command)
{
    auto *a = new QAction(command.caption, this);
    a->setObjectName(command.id);
    a->setProperty("menuId", command.menuId);
    a->setToolTip(command.caption);
    a->setStatusTip(command.caption);
    if (!command.glyph.isEmpty())
        a->setIcon(toolbarIcon(command.glyph));
    if (!command.shortcut.isEmpty())
        a->setShortcut(QKeySequence(command.shortcut, QKeySequence::PortableText));
    // The table lives for the whole program, so the command may be captured
    // by address.
    const TagCommand *c = &command;
    connect(a, &QAction::triggered, this, [this, c] { runCommand(*c); });
    // Shortcuts work wherever the tabs are shown, menu or no menu.
    addAction(a);
    m_actions.insert(command.id, a);
    if (!command.menuId.isEmpty())
        m_actions.insert(command.menuId, a);
    return a;
}

QToolButton *ToolTabs::createButton(const QString &id, const QString &glyph, const QString &hint)
{
    auto *b = new QToolButton;
    b->setObjectName(id);
    b->setAutoRaise(true);
    b->setIconSize(QSize(GlyphSize, GlyphSize));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIcon(toolbarIcon(glyph));
    b->setToolTip(hint);
    m_buttons.insert(id, b);
    return b;
}

QMenu *ToolTabs::createVariantsMenu(const QString &id, const QList<TagCommand> &variants)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(id);
    for (const TagCommand &v : variants)
        menu->addAction(createAction(v));
    m_dropDowns.insert(id, menu);
    return menu;
}

void ToolTabs::addPage(int index)
{
    const TagPage &page = tagPages().at(index);
    auto *sheet = new QWidget;
    sheet->setObjectName(page.id);
    auto *row = new QHBoxLayout(sheet);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(1);
    for (const TagButton &b : page.buttons) {
        const TagCommand &c = b.command;
        QToolButton *tool = createButton(c.id, c.glyph, c.caption);
        if (c.mode != TagMode::DropDown)
            tool->setDefaultAction(createAction(c));
        row->addWidget(tool);
        switch (b.dropDown) {
        case DropDownStyle::None:
            break;
        case DropDownStyle::Split:
            tool->setMenu(createVariantsMenu(b.dropDownId, b.variants));
            tool->setPopupMode(QToolButton::MenuButtonPopup);
            break;
        case DropDownStyle::Only:
            tool->setMenu(createVariantsMenu(b.dropDownId, b.variants));
            tool->setPopupMode(QToolButton::InstantPopup);
            break;
        case DropDownStyle::SeparateArrow: {
            QToolButton *arrow = createButton(b.dropDownId, b.variantsGlyph(), b.dropDownCaption);
            arrow->setMenu(createVariantsMenu(b.dropDownId, b.variants));
            arrow->setPopupMode(QToolButton::InstantPopup);
            row->addWidget(arrow);
            break;
        }
        }
    }
    row->addStretch(1);
    addTab(sheet, page.caption);
}

QMenu *ToolTabs::buildTabsMenu(QWidget *parent)
{
    auto *menu = new QMenu(tagsMenuCaption(), parent);
    menu->setObjectName(QStringLiteral("Onglets"));
    for (const TagPage &page : tagPages()) {
        QMenu *sub = menu->addMenu(page.menuCaption);
        sub->setObjectName(page.id + QStringLiteral("Menu"));
        for (const TagButton &b : page.buttons) {
            if (!b.command.menuId.isEmpty())
                sub->addAction(m_actions.value(b.command.id));
            if (b.variants.isEmpty())
                continue;
            QMenu *variants = sub->addMenu(b.dropDownCaption);
            variants->setObjectName(b.dropDownId + QStringLiteral("Menu"));
            variants->setIcon(toolbarIcon(b.variantsGlyph()));
            for (const TagCommand &v : b.variants)
                variants->addAction(m_actions.value(v.id));
        }
    }
    return menu;
}

QAction *ToolTabs::action(const QString &id) const
{
    return m_actions.value(id);
}

QToolButton *ToolTabs::button(const QString &id) const
{
    return m_buttons.value(id);
}

QMenu *ToolTabs::dropDownMenu(const QString &id) const
{
    return m_dropDowns.value(id);
}

void ToolTabs::setDialogHandler(const QString &id, std::function<void()> handler)
{
    const TagCommand *c = findTagCommand(id);
    if (!c || c->mode != TagMode::Dialog)
        return;
    m_dialogHandlers.insert(c->id, std::move(handler));
    refreshEnabled();
}

void ToolTabs::setColourChooser(ColourChooser &chooser)
{
    m_colour.setChooser(chooser);
}

void ToolTabs::setDocumentOpen(bool open)
{
    m_documentOpen = open;
    setEnabled(open);
    refreshEnabled();
    if (!open)
        showFirstPage();
}

void ToolTabs::showFirstPage()
{
    setCurrentIndex(0);
}

void ToolTabs::refreshEnabled()
{
    for (const TagCommand *c : allTagCommands()) {
        QAction *a = m_actions.value(c->id);
        if (!a)
            continue;
        const bool available = c->mode != TagMode::Dialog || m_dialogHandlers.contains(c->id);
        a->setEnabled(m_documentOpen && available);
    }
}

void ToolTabs::runCommand(const TagCommand &command)
{
    switch (command.mode) {
    case TagMode::Wrap:
    case TagMode::Insert:
        runDirectTagCommand(m_host, command);
        break;
    case TagMode::Colour:
        m_colour.run(m_host);
        break;
    case TagMode::Dialog:
        if (const auto handler = m_dialogHandlers.value(command.id))
            handler();
        break;
    case TagMode::DropDown:
        break;
    }
}
