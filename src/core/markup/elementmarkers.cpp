#include "core/markup/elementmarkers.h"

namespace {

ElementMarkers plain(const char *command)
{
    ElementMarkers m;
    m.command = QString::fromLatin1(command);
    return m;
}

ElementMarkers singleTag(const char *command, const QString &start)
{
    ElementMarkers m = plain(command);
    m.startMarker = start;
    m.endMarker = QStringLiteral(">");
    return m;
}

ElementMarkers withContent(const char *command, const QString &start, const QString &end)
{
    ElementMarkers m = plain(command);
    m.startMarker = start;
    m.endMarker = end;
    m.wholeElement = true;
    return m;
}

std::vector<ElementMarkers> buildTable()
{
    std::vector<ElementMarkers> t;

    // Common tab.
    t.push_back(plain("FontBtn"));

    // Specialised tab.
    t.push_back(singleTag("ImgBtn", QStringLiteral("<IMG ")));
    {
        ElementMarkers formImage = singleTag("ImageBtn", QStringLiteral("<INPUT"));
        formImage.typeValue = QStringLiteral("image");
        t.push_back(formImage);
    }
    {
        ElementMarkers map = singleTag("MapBtn", QStringLiteral("<MAP NAME="));
        map.innerMarker = QStringLiteral("<IMG SRC=");
        map.keepSelectionWithoutStart = true;
        t.push_back(map);
    }
    t.push_back(singleTag("HrBtn", QStringLiteral("<HR")));
    t.push_back(plain("LienExtBtn"));
    t.push_back(plain("LienIntBtn"));
    t.push_back(plain("carsetBtn"));
    t.push_back(plain("TagBtn"));
    {
        ElementMarkers body = singleTag("BodyBtn", QStringLiteral("<BODY"));
        body.fromDocument = true;
        t.push_back(body);
    }
    t.push_back(withContent("JavaBtn", QStringLiteral("<APPLET"), QStringLiteral("</APPLET>")));
    t.push_back(plain("BaseFontBtn"));

    // Tables, frames and lists tab.
    {
        ElementMarkers table = withContent("TableBtn", QStringLiteral("<TABLE"), QStringLiteral("</TABLE>"));
        table.refuseNested = true;
        t.push_back(table);
    }
    t.push_back(plain("FrameBtn"));
    t.push_back(withContent("OlBtn", QStringLiteral("<OL"), QStringLiteral("</OL>")));
    t.push_back(withContent("ULbtn", QStringLiteral("<UL"), QStringLiteral("</UL>")));
    t.push_back(withContent("DlBtn", QStringLiteral("<DL"), QStringLiteral("</DL>")));
    t.push_back(withContent("MenuBtn", QStringLiteral("<MENU"), QStringLiteral("</MENU>")));
    t.push_back(withContent("DirBtn", QStringLiteral("<DIR"), QStringLiteral("</DIR>")));

    // Forms tab.
    for (const char *c : {"FormBtn", "CheckBoxBtn", "RadioBoxBtn", "ListBoxBtn", "ComboBoxBtn", "EditBtn", "pwdBtn",
                          "TextAreaBtn", "ButtonBtn", "SubmitBtn", "ResetBtn", "HiddenBtn"})
        t.push_back(plain(c));

    // Head tab.
    for (const char *c : {"TitreBtn", "BaseBtn", "MetaBtn", "LinkBtn", "IsIndexBtn"})
        t.push_back(plain(c));

    // Extensions tab.
    for (const char *c : {"MarqueeBtn", "BgSoundBtn", "IFrameBtn"})
        t.push_back(plain(c));
    {
        ElementMarkers table3d = withContent("Table3dBtn", QStringLiteral("<TABLE"), QStringLiteral("</TABLE>"));
        table3d.refuseNested = true;
        t.push_back(table3d);
    }
    t.push_back(plain("EmbedBtn"));

    // JavaScript tab.
    for (const char *c :
         {"ScriptBtn", "BanScrBtn", "HeureScrBtn", "URLScrBtn", "CouleurScrBtn", "ImagesScrBtn", "LienScrBtn"})
        t.push_back(plain(c));
    return t;
}

} // namespace

const std::vector<ElementMarkers> &DialogCommandMarkers()
{
    static const std::vector<ElementMarkers> table = buildTable();
    return table;
}

const ElementMarkers &MarkersForCommand(const QString &command)
{
    static const ElementMarkers none;
    for (const ElementMarkers &m : DialogCommandMarkers()) {
        if (m.command == command)
            return m;
    }
    return none;
}
