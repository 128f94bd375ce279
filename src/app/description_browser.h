#pragma once

#include <QTextBrowser>

// The description pane: shows an item's description file as rich text. Descriptions come from
// third-party files, so nothing is fetched from the network, no script runs, links are not
// followed, and only regular local files of a sane size are read (never devices or pipes).
class DescriptionBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    static constexpr qint64 MaxFileSize = 32 * 1024 * 1024;

    explicit DescriptionBrowser(QWidget *parent = nullptr);

    // Shows the file at the path (relative paths are taken from the description store);
    // an empty path, or a file that cannot be read, empties the pane.
    void showFile(const QString &path);
    QString shownFile() const { return m_shownFile; }
    void setDescriptionStore(const QString &dir) { m_descDir = dir; }

    QVariant loadResource(int type, const QUrl &name) override;

private:
    QString m_shownFile;
    QString m_descDir;
};
