// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/text_bytes.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

namespace tk {

QString TextFromBytes(std::string_view bytes) {
    const auto size = static_cast<qsizetype>(bytes.size());
    bool ascii = true;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return QString::fromLatin1(bytes.data(), size);

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), size));
    if (utf8.hasError()) return QString::fromLatin1(bytes.data(), size);
    return text;
}

std::string BytesFromText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

}  // namespace tk
