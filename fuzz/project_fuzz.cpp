// Reads random bytes as a ".proj" file: the parser, then the whole opening
// of a project (each listed path checked on disk), must survive anything,
// and a project saved after its opening dropped entries opens silently.
#include "core/project/project.h"
#include "core/project/projectfile.h"
#include "core/shell/prompts.h"

#include <QDir>
#include <QFile>

#include <cstdint>

namespace {

class SilentPrompts : public Prompts
{
public:
    bool askYesNo(const QString &) override { return false; }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    void information(const QString &) override { ++told; }
    void warning(const QString &) override {}
    void error(const QString &) override {}
    int told = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ProjectFileContent content = parseProjectFile(bytes);
    if (content.masterIndex < -1 || content.masterIndex >= int(content.paths.size()))
        __builtin_trap();

    static const QString file = QDir::temp().filePath(QStringLiteral("tessaline-fuzz.proj"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return 0;
    out.write(bytes);
    out.close();
    SilentPrompts prompts;
    Project project;
    if (project.LoadProject(file, prompts)) {
        if (project.MasterIndex >= project.count())
            __builtin_trap();
        // What is read back writes and reads again to the same pages.
        const ProjectFileContent again = parseProjectFile(project.fileBytes());
        if (again.paths.size() != project.count())
            __builtin_trap();
        // Whatever was left out and told leaves the project to save; once
        // saved, it opens without a word and with the same master.
        if (project.ProjectModified != (prompts.told > 0))
            __builtin_trap();
        // Written as a save would write it, without waiting for the disk.
        if (project.ProjectModified && out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            out.write(project.fileBytes());
            out.close();
            const int master = project.MasterIndex;
            prompts.told = 0;
            if (!project.LoadProject(file, prompts) || prompts.told > 0 || project.MasterIndex != master)
                __builtin_trap();
        }
    }
    return 0;
}
