// Random bytes read as a linked page: the destinations list of the external
// link dialog, each name written into a link and read back as it was, and
// the protocol prefix rule on the same text as an address.
#include "core/attributes/starttag.h"
#include "core/dialogs/links.h"
#include "core/text/textcodec.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString text;
    detectAndDecode(bytes, text);
    const QStringList names = ReadDestinations(text);
    for (const QString &name : names) {
        // A name may hold any character the page gives it (an unquoted value
        // can hold a quote); the link written to it must still lead there.
        const QString link = InternalLinkStartTag(name, QString(), QString());
        if (name.isEmpty() || FindStartTag(link, u"A").value(u"HREF") != u'#' + name)
            __builtin_trap();
    }
    ProtocolChoice choice;
    QString address = text.left(512);
    for (int item = 0; item < LinkProtocols().size(); ++item)
        address = choice.choose(address, (item * 7) % int(LinkProtocols().size()));
    ExternalLink link{address, names.value(0), text.left(40), text.mid(40, 40), QString()};
    ExternalLinkStartTag(link);
    return 0;
}
