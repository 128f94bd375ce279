// Another running copy, as far as the store can tell: opens the database, takes a write
// transaction, writes a category row, says "locked" on stdout and holds the lock for the
// given time, then commits or rolls back and says "done".
//   fault_lock_holder DATABASE HOLD_MS commit|rollback

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: fault_lock_holder DATABASE HOLD_MS commit|rollback\n");
        return 2;
    }
    int status = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(args[1]);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=60000"));
        QSqlQuery q(db);
        if (!db.open() || !q.exec(QStringLiteral("BEGIN IMMEDIATE"))
            || !q.exec(QStringLiteral("insert into Category(cName,cImPath,pID,tID,isVisible) "
                                      "values('lock holder','',0,1,0)"))) {
            std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text() + db.lastError().text()));
            return 1;
        }
        std::printf("locked\n");
        std::fflush(stdout);
        QThread::msleep(args[2].toULong());
        const bool commit = args[3] == QLatin1String("commit");
        if (!q.exec(commit ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK"))) {
            std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
            status = 1;
        }
        q.finish();
        db.close();
    }
    std::printf("done\n");
    return status;
}
