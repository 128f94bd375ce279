// Feeds arbitrary bytes to the shop-file reader as a Taobao and as a Paipai file and checks
// what it promises its consumer: fields only inside a record and at a valid column, end of file
// once after a successful read, a row number that counts the records, a message with every failure.

#include "fuzz_support.h"

#include "base/progress_sink.h"
#include "csv/csv_reader.h"
#include "csv/shop_formats.h"
#include "store/item_tables.h"


namespace {

class CheckingConsumer final : public CsvConsumer
{
public:
    qint64 records = 0;
    int endCalls = 0;

    bool beginRecord(QString &) override
    {
        Fuzz::Expect(endCalls == 0, "no record begins after the end of the file");
        ++records;
        return true;
    }
    bool putField(int column, const QString &, QString &) override
    {
        Fuzz::Expect(records > 0, "a field belongs to a record");
        Fuzz::Expect(column >= 0, "a field has a column");
        return true;
    }
    bool afterLine(QString &) override
    {
        Fuzz::Expect(records > 0 && endCalls == 0, "a line follows the start of a record");
        return true;
    }
    bool endOfFile(QString &) override
    {
        ++endCalls;
        return true;
    }
};

void readAs(const QString &path, int startFormat)
{
    int format = startFormat;
    CheckingConsumer consumer;
    CsvReader reader;
    QString error;
    NullProgress progress;
    const bool ok = reader.read(path, format, consumer, &progress, error);
    Fuzz::Expect(reader.rowNumber() == consumer.records, "the row number counts the records begun");
    if (!ok) {
        Fuzz::Expect(!error.isEmpty(), "a failure comes with a message");
        return;
    }
    Fuzz::Expect(consumer.endCalls == 1, "end of file is signalled once");
    if (startFormat == FormatPaipai)
        Fuzz::Expect(format == FormatPaipai, "a Paipai read stays Paipai");
    else
        Fuzz::Expect(format == FormatTaobao4 || format == FormatTaobao5, "a Taobao read is 4.x or 5.x");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::InitQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = Fuzz::Scratch().filePath(QStringLiteral("input.csv"));
    Fuzz::WriteInput(path, data, size);
    readAs(path, FormatTaobao4);
    readAs(path, FormatPaipai);
    return 0;
}
