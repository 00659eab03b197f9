#include "platform/text/SingleByteCodec.h"

#include <QStringDecoder>

SingleByteCodec::SingleByteCodec(const char *name)
{
    m_fromUnicode.fill(-1);
    QStringDecoder decoder(name, QStringConverter::Flag::Stateless);
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const QString s = decoder.isValid() ? decoder.decode(QByteArrayView(&byte, 1)) : QString();
        char16_t ch = char16_t(b);
        if (s.size() == 1 && s.at(0) != QChar::ReplacementCharacter && b >= 0x80)
            ch = s.at(0).unicode();
        m_toUnicode[b] = ch;
        m_fromUnicode[ch] = qint16(b);
    }
}

QString SingleByteCodec::decode(QByteArrayView bytes) const
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (const char b : bytes)
        *d++ = QChar(m_toUnicode[static_cast<unsigned char>(b)]);
    return out;
}

QByteArray SingleByteCodec::encode(QStringView text, char missing) const
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *d = out.data();
    for (const QChar c : text) {
        const qint16 b = m_fromUnicode[c.unicode()];
        *d++ = b < 0 ? missing : char(b);
    }
    return out;
}
