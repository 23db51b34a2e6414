// Reads random bytes as a ".proj" file: the parser, then the whole opening
// of a project (each listed path checked on disk), must survive anything.
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
    void information(const QString &) override {}
    void warning(const QString &) override {}
    void error(const QString &) override {}
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
    }
    return 0;
}
