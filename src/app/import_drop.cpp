#include "import_drop.h"

#include "TImportDataFrm.h"
#include "dialog_entry.h"
#include "main_window.h"
#include "message_boxes.h"

#include "csv/header_recognition.h"
#include "store/data_module.h"
#include "store/item_tables.h"

#include <QDirIterator>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QObject>

namespace {

bool isCsvFile(const QFileInfo &info)
{
    return info.isFile() && info.suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
}

// The first line of a shop file: UTF-16LE after its mark, else taken as UTF-8.
QString firstLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray head = file.read(64 * 1024);
    QString text;
    if (head.startsWith("\xFF\xFE"))
        text = QString::fromUtf16(reinterpret_cast<const char16_t *>(head.constData() + 2), (head.size() - 2) / 2);
    else
        text = QString::fromUtf8(head);
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    return (end < 0 ? text : text.left(end)).trimmed();
}

QString firstCsvInside(const QString &folder)
{
    QDirIterator it(folder, {QStringLiteral("*.csv"), QStringLiteral("*.CSV")}, QDir::Files, QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : QString();
}

class ImportDrop final : public QObject
{
public:
    explicit ImportDrop(TMainFrm &window)
        : QObject(&window), m_window(window)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != &m_window)
            return false;
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *enter = static_cast<QDragMoveEvent *>(event);
            if (!DroppedImportPath(enter->mimeData()->urls()).isEmpty())
                enter->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            const QString path = DroppedImportPath(drop->mimeData()->urls());
            if (path.isEmpty())
                return true;
            drop->acceptProposedAction();
            RunImportDialogFor(m_window, path);
            return true;
        }
        return false;
    }

private:
    TMainFrm &m_window;
};

} // namespace

void EnableImportDrop(TMainFrm &window)
{
    window.setAcceptDrops(true);
    window.installEventFilter(new ImportDrop(window));
}

QString DroppedImportPath(const QList<QUrl> &urls)
{
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isDir() || isCsvFile(info))
            return info.absoluteFilePath();
    }
    return QString();
}

int ImportFormatOfPath(const QString &path)
{
    const QString file = QFileInfo(path).isDir() ? firstCsvInside(path) : path;
    if (file.isEmpty())
        return FormatTaobao4;
    const HeaderRecognition paipai = RecognizeHeader(FormatPaipai, {firstLine(file)});
    return paipai.verdict == HeaderVerdict::Accepted ? FormatPaipai : FormatTaobao4;
}

void RunImportDialogFor(TMainFrm &owner, const QString &path)
{
    const int format = ImportFormatOfPath(path);
    try {
        TImportDataFrm dialog(owner, format, ImportDialogCaption(format));
        dialog.takeDroppedPath(path);
        MessageBoxes::runModal(dialog);
    } catch (const StoreError &e) {
        MessageBoxes::error(&owner, TMainFrm::Caption(), e.message());
    }
}
