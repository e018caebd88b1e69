// The one crossing between the core's Windows-1252 texts and Qt's QString.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quorvel {

QString ToQString(std::string_view cp1252Text);
// Characters that Windows-1252 cannot hold become "?".
std::string FromQString(const QString& text);

}  // namespace quorvel
