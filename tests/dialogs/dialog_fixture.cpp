#include "dialog_fixture.h"

#include "import/single_import.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

Desk::Desk()
    : dm(std::make_unique<TDm>())
    , frm(std::make_unique<TMainFrm>(*dm, store.home()))
{
}

bool Desk::start()
{
    if (!frm->Initialize())
        return false;
    frm->show();
    return QTest::qWaitForWindowExposed(frm.get());
}

bool Desk::restart()
{
    frm.reset();
    dm = std::make_unique<TDm>();
    frm = std::make_unique<TMainFrm>(*dm, store.home());
    return start();
}

void Desk::trigger(const char *command) const
{
    QAction *action = frm->command(QString::fromLatin1(command));
    QVERIFY2(action, command);
    action->trigger();
}

QString example(const QString &relative)
{
    return QStringLiteral(ROWSHIFT_EXAMPLES "/") + relative;
}

bool copyTree(const QString &from, const QString &to)
{
    const QFileInfo source(from);
    if (source.isFile()) {
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::remove(to);
        return QFile::copy(from, to);
    }
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!copyTree(file, to + QLatin1Char('/') + QDir(from).relativeFilePath(file)))
            return false;
    }
    return true;
}

qint64 importExample(StoreFixture &store, const QString &file, int format, qint64 into)
{
    SingleImportOptions options;
    options.filePath = example(file);
    options.formatCode = format;
    options.importPictures = true;
    options.pictureDir = options.filePath.chopped(4);
    if (into > 0) {
        options.target.useExisting = true;
        options.target.existingId = into;
        options.target.existingName = store.dm.scalar(QStringLiteral("select cName from Category where cID=?"), {into}).toString();
    }
    qint64 target = 0;
    QString error;
    if (!ImportOneFile(store.dm, store.home(), options, nullptr, target, error))
        qWarning("Import of %s failed: %s", qUtf8Printable(file), qUtf8Printable(error));
    return target;
}

FolderRecorder::FolderRecorder()
{
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
}

FolderRecorder::~FolderRecorder()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

QStringList shopFileLines(const QString &path)
{
    const QByteArray bytes = TestFiles::read(path);
    if (!bytes.startsWith("\xFF\xFE"))
        return {};
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2),
                                            (bytes.size() - 2) / 2);
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
