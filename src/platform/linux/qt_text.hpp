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
