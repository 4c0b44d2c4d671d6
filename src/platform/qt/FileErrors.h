// The messages shown when a document file cannot be opened or saved, in the user's language.
#pragma once

#include <QString>
#include <system_error>

namespace morvale {

QString DescribeFileError(const std::error_code& error);
QString OpenFailedMessage(const QString& path, const std::error_code& error);
QString SaveFailedMessage(const QString& path, const std::error_code& error);

}  // namespace morvale
