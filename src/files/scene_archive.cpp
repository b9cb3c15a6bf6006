#include "files/scene_archive.h"

#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace vm {

bool SceneArchiveReader::take(void* out, qsizetype count) {
    if (failed()) return false;
    if (m_bytes.size() - m_offset < count) {
        fail(QStringLiteral("the file ends early (at byte %1)").arg(m_bytes.size()));
        return false;
    }
    std::memcpy(out, m_bytes.constData() + m_offset, size_t(count));
    m_offset += count;
    return true;
}

void SceneArchiveReader::fail(const QString& why) {
    if (m_error.isEmpty()) m_error = why;
}

void SceneArchiveReader::f32(float& value) {
    std::uint32_t word = 0;
    if (!take(&word, 4)) return;
    word = qFromLittleEndian(word);
    float read = 0;
    std::memcpy(&read, &word, 4);
    if (!std::isfinite(read)) {
        ++m_nonNumbers;
        return;
    }
    value = read;
}

void SceneArchiveReader::i32(int& value) {
    std::int32_t word = 0;
    if (!take(&word, 4)) return;
    value = qFromLittleEndian(word);
}

void SceneArchiveReader::i32(int& value, int lo, int hi, const char* what) {
    int read = 0;
    const qsizetype at = m_offset;
    i32(read);
    if (failed()) return;
    if (read < lo || read > hi) {
        fail(QStringLiteral("%1 %2 at byte %3 is outside %4..%5").arg(QLatin1String(what)).arg(read).arg(at).arg(lo).arg(hi));
        return;
    }
    value = read;
}

void SceneArchiveReader::i32Clamped(int& value, int lo, int hi, const char* what) {
    int read = 0;
    const qsizetype at = m_offset;
    i32(read);
    if (failed()) return;
    value = std::clamp(read, lo, hi);
    if (value != read)
        warn(QStringLiteral("%1 %2 at byte %3 was taken as %4").arg(QLatin1String(what)).arg(read).arg(at).arg(value));
}

QStringList SceneArchiveReader::warnings() const {
    QStringList all = m_warnings;
    if (m_nonNumbers > 0)
        all << QStringLiteral("%1 stored values were not numbers and kept their defaults").arg(m_nonNumbers);
    return all;
}

void SceneArchiveReader::f32Count(float& value, float lo, float hi, const char* what) {
    float read = value;
    const qsizetype at = m_offset;
    f32(read);
    if (failed()) return;
    if (read < lo || read > hi) {
        fail(QStringLiteral("%1 %2 at byte %3 is outside %4..%5").arg(QLatin1String(what)).arg(read).arg(at).arg(lo).arg(hi));
        return;
    }
    value = read;
}

bool SceneArchiveReader::textLength(qsizetype& length) {
    std::uint8_t small = 0;
    if (!take(&small, 1)) return false;
    if (small < 0xFF) {
        length = small;
    } else {
        std::uint16_t medium = 0;
        if (!take(&medium, 2)) return false;
        medium = qFromLittleEndian(medium);
        if (medium < 0xFFFF) {
            length = medium;
        } else {
            std::uint32_t large = 0;
            if (!take(&large, 4)) return false;
            length = qsizetype(qFromLittleEndian(large));
        }
    }
    // A length can never promise more than the file still holds.
    if (length > m_bytes.size() - m_offset) {
        fail(QStringLiteral("a text of %1 bytes runs past the end of the file").arg(length));
        return false;
    }
    return true;
}

void SceneArchiveReader::rawText(QByteArray& value) {
    qsizetype length = 0;
    if (!textLength(length)) return;
    value = m_bytes.mid(m_offset, length);
    m_offset += length;
}

void SceneArchiveReader::text(QString& value) {
    QByteArray raw;
    rawText(raw);
    if (failed()) return;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(raw);
    value = utf8.hasError() ? QString::fromLatin1(raw) : decoded;
}

QByteArray SceneTextPrefix(qsizetype length) {
    QByteArray prefix;
    auto put = [&prefix](auto word) {
        word = qToLittleEndian(word);
        prefix.append(reinterpret_cast<const char*>(&word), sizeof word);
    };
    if (length < 0xFF) {
        put(std::uint8_t(length));
    } else if (length < 0xFFFF) {
        put(std::uint8_t(0xFF));
        put(std::uint16_t(length));
    } else {
        put(std::uint8_t(0xFF));
        put(std::uint16_t(0xFFFF));
        put(std::uint32_t(length));
    }
    return prefix;
}

void SceneArchiveWriter::f32(const float& value) {
    std::uint32_t word = 0;
    std::memcpy(&word, &value, 4);
    word = qToLittleEndian(word);
    put(&word, 4);
}

void SceneArchiveWriter::i32(const int& value) {
    const std::int32_t word = qToLittleEndian(std::int32_t(value));
    put(&word, 4);
}

void SceneArchiveWriter::rawText(const QByteArray& value) {
    m_bytes += SceneTextPrefix(value.size());
    m_bytes += value;
}

void SceneArchiveWriter::text(const QString& value) { rawText(value.toUtf8()); }

}  // namespace vm
