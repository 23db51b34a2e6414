#pragma once

#include "core/dialogs/eventcalls.h"

#include <QString>

// The FORM start tag and the pieces its action is assembled from.

struct FormElement
{
    QString name;   // NAME, made an identifier
    QString action; // ACTION, as typed
    bool post = true;
    bool urlEncoded = false;
    QString target;    // TARGET, made an identifier
    EventCalls events; // onSubmit and onReset
};

// "<FORM NAME="..." ACTION="..." METHOD=POST ENCTYPE=... TARGET="..."
// onSubmit="..." onReset="...">". METHOD, ENCTYPE and TARGET go only with an
// ACTION.
QString FormStartTag(const FormElement &form);

// The four part fields of the action (address, path, target or parameter,
// port, depending on the protocol).
struct ActionParts
{
    QString a;
    QString b;
    QString c;
    QString d;
};

// The action built from the protocol's prefix (the items of LinkProtocols())
// and the non-empty parts, in the protocol's own order and separators.
QString AssembleAction(int protocol, const ActionParts &parts);

// The captions of the part fields for a protocol; empty captions belong to
// hidden fields. example is a one-line example of a whole action.
struct ActionPartCaptions
{
    QString a;
    QString b;
    QString c;
    QString d;
    QString example;
};
ActionPartCaptions ActionCaptions(int protocol);
