#include "platform/Clipboard.h"

const QString Clipboard::ownerFormat = QStringLiteral("application/x-nardel-owner");
