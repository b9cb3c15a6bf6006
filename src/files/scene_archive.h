#pragma once
// The byte-level encoding of scene files: little-endian 32-bit floats and
// integers, and texts with the one-, three- or seven-byte length prefix.
// The reader never reads past its buffer: once anything is missing or out of
// range it records why, stops, and leaves every later value untouched. A
// float that is not a number (NaN or infinite) is not taken: the value keeps
// what it held, and the reader notes it among its warnings.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace vm {

class SceneArchiveReader {
public:
    static constexpr bool kReading = true;

    explicit SceneArchiveReader(const QByteArray& bytes) : m_bytes(bytes) {}

    void f32(float& value);
    void i32(int& value);
    // A count or index: refused unless lo <= value <= hi.
    void i32(int& value, int lo, int hi, const char* what);
    // Texts are taken as UTF-8 when they are valid UTF-8, else byte for byte
    // (the older files' single-byte text).
    void text(QString& value);
    // A text carried without being interpreted.
    void rawText(QByteArray& value);
    // A count or index that is kept within lo..hi with a warning when it is not.
    void i32Clamped(int& value, int lo, int hi, const char* what);
    // A float that the program truncates to a count: refused unless it is
    // within lo..hi (one that is not a number keeps its value, as any float).
    void f32Count(float& value, float lo, float hi, const char* what);

    bool failed() const { return !m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    // What was taken in a changed form; the non-numbers are summed up in one line.
    QStringList warnings() const;
    void warn(const QString& what) { m_warnings << what; }
    qsizetype offset() const { return m_offset; }
    bool atEnd() const { return m_offset == m_bytes.size(); }
    void fail(const QString& why);

private:
    bool take(void* out, qsizetype count);
    bool textLength(qsizetype& length);

    const QByteArray& m_bytes;
    qsizetype m_offset = 0;
    QString m_error;
    QStringList m_warnings;
    int m_nonNumbers = 0;
};

class SceneArchiveWriter {
public:
    static constexpr bool kReading = false;

    void f32(const float& value);
    void i32(const int& value);
    void i32(const int& value, int, int, const char*) { i32(value); }
    void i32Clamped(const int& value, int, int, const char*) { i32(value); }
    void text(const QString& value);
    void rawText(const QByteArray& value);
    void f32Count(const float& value, float, float, const char*) { f32(value); }

    bool failed() const { return false; }
    void warn(const QString&) {}
    const QByteArray& bytes() const { return m_bytes; }

private:
    void put(const void* data, qsizetype count) { m_bytes.append(static_cast<const char*>(data), count); }
    QByteArray m_bytes;
};

// The text length prefix alone, as the writer puts it before `length` bytes.
QByteArray SceneTextPrefix(qsizetype length);

}  // namespace vm
