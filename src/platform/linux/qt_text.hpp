#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace nocturo::linux_desktop {

// The program's texts are UTF-8; Qt's are UTF-16.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// A multi-line box's text: the program's lines end in "\r\n", Qt's in "\n";
// Qt also reads a lone "\r" or "\n" as a line's end.
inline QString ToLines(std::string_view text) {
  QString lines = ToQString(text);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lines.replace(u'\r', u'\n');
  return lines;
}

inline std::string FromLines(QString lines) {
  lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return ToUtf8(lines);
}

// A caption as a screen reader says it: "&&" is an ampersand, a single "&"
// only marks the accelerator.
inline QString WithoutAccelerator(const QString& caption) {
  QString plain;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) {
      ++i;
    }
    plain.append(caption[i]);
  }
  return plain;
}

}  // namespace nocturo::linux_desktop
