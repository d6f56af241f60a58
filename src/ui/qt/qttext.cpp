#include "ui/qt/qttext.h"

#include "sysplatform/codepage.h"

namespace mirrin::qt {

QString ToQt(const std::string& bytes) { return QString::fromStdString(ToUtf8(bytes)); }

std::string FromQt(const QString& text) { return FromUtf8(text.toStdString()); }

QString ToQtLines(const std::string& bytes) {
  QString text = ToQt(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

std::string FromQtLines(const QString& text) {
  QString lines = text;
  lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return FromQt(lines);
}

}  // namespace mirrin::qt
