// The storage's text form to and from strings, streams and files.
#include <lark/framework/exceptions.h>
#include <lark/storage/storage.h>
#include <lark/storage/text_form.h>

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

// Decodes one line at a time to find the first one holding bytes that are
// not UTF-8; a line break never occurs inside a UTF-8 sequence.
int FirstInvalidUtf8Line(const QByteArray& bytes)
{
    int line = 1;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString ignored = decoder(QByteArrayView(bytes).sliced(start, end - start));
        if (decoder.hasError())
            return line;
        ++line;
        start = end;
    }
    return line;
}

} // namespace

QString DecodeTextFormBytes(const QByteArray& bytes)
{
    const auto marked = QStringDecoder::encodingForData(bytes);
    const QStringDecoder::Encoding encoding = marked.value_or(QStringDecoder::Utf8);
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (!decoder.hasError())
        return text;
    const int line = encoding == QStringDecoder::Utf8 ? FirstInvalidUtf8Line(bytes) : 1;
    const QString expected = encoding == QStringDecoder::Utf8
        ? u"UTF-8 text"_s
        : u"%1 text"_s.arg(QLatin1StringView(QStringDecoder::nameForEncoding(encoding)));
    throw EParserError(line, expected, u"invalid bytes"_s);
}

QString TLarkHTMLStorage::ToTextForm() const
{
    return StorageItemsToTextForm(*Items());
}

void TLarkHTMLStorage::FromTextForm(const QString& text)
{
    StorageItemsFromTextForm(text, *Items());
}

void TLarkHTMLStorage::LoadFromStream(QIODevice& stream)
{
    if (!stream.isReadable())
        throw EReadError(u"Stream is not open for reading"_s);
    FromTextForm(DecodeTextFormBytes(stream.readAll()));
}

void TLarkHTMLStorage::SaveToStream(QIODevice& stream) const
{
    if (!stream.isWritable())
        throw EWriteError(u"Stream is not open for writing"_s);
    const QByteArray bytes = ToTextForm().toUtf8();
    if (stream.write(bytes) != bytes.size())
        throw EWriteError(u"Stream write error. %1"_s.arg(stream.errorString()));
}

void TLarkHTMLStorage::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EFOpenError(
            u"Cannot open file \"%1\". %2"_s.arg(QDir::toNativeSeparators(fileName), file.errorString()));
    }
    LoadFromStream(file);
}

// Through a temporary file renamed at the end: a failed save leaves the old
// file whole.
void TLarkHTMLStorage::SaveToFile(const QString& fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        throw EFOpenError(
            u"Cannot create file \"%1\". %2"_s.arg(QDir::toNativeSeparators(fileName), file.errorString()));
    }
    SaveToStream(file);
    if (!file.commit()) {
        throw EWriteError(
            u"Cannot write file \"%1\". %2"_s.arg(QDir::toNativeSeparators(fileName), file.errorString()));
    }
}

} // namespace lark
