#include "box/kelvooverview.h"
#include "box/kelvooverviewmodel.h"
#include "box/overviewcsv.h"
#include "tests/support/kelvotestmain.h"

#include <QBrush>
#include <QtTest>

namespace {

// A LogBox line of Kelvo KV2300041<n> on 1 March 2024; threshold 3298 mV.
QByteArray line(char kelvo, const char* time, const char* levels, const char* errors = " No Error ",
                const char* depthAndFilter = "50,5")
{
    return QByteArray("20240301,") + time + ",READ," + depthAndFilter + ',' + levels +
           ",3298,2.5,62.5,50,KV2300041" + kelvo + ",0000041" + kelvo + ',' + errors + "\r\n";
}

// The overview's CSV line of a Kelvo seen once at 10:00:00 or more often from 09:00:00 on.
QByteArray csv(char kelvo, const char* entriesAndTimes, const char* rest)
{
    return QByteArray("KV2300041") + kelvo + ",0000041" + kelvo + ',' + entriesAndTimes + ',' +
           rest + '\n';
}

using Files = QList<QByteArrayList>;

} // namespace

class KelvoOverviewTest : public QObject
{
    Q_OBJECT

private slots:
    void summarisesEachKelvo_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QByteArrayList>("expected");
        QTest::addColumn<QStringList>("badLines");

        const char* once = "1,20240301 10:00:00,20240301 10:00:00";
        QTest::newRow("sound, in time order, the latest entry's values")
            << Files{{line('7', "10:00:00", "3600,3500"), line('7', "09:00:00", "3400,3500"),
                      line('8', "10:00:00", "3298,3298")}}
            << QByteArrayList{csv('7', "2,20240301 09:00:00,20240301 10:00:00",
                                  "50,5,3600,3400,3500, No Error ,"),
                              csv('8', once, "50,5,3298,3298,3298, No Error ,")}
            << QStringList();
        QTest::newRow("levels below the threshold, error flags of the latest entry")
            << Files{{line('1', "10:00:00", "3297,3500"), line('2', "10:00:00", "3600,3297"),
                      line('3', "09:00:00", "3600,3500", " Load "),
                      line('3', "10:00:00", "3600,3500"),
                      line('4', "10:00:00", "3600,3500", " Press  Bat ")}}
            << QByteArrayList{csv('1', once,
                                  "50,5,3297,3297,3500, No Error ,battery below threshold"),
                              csv('2', once, "50,5,3600,3600,3297, No Error ,supercapacitor low"),
                              csv('4', once, "50,5,3600,3600,3500, Press  Bat ,error flag"),
                              csv('3', "2,20240301 09:00:00,20240301 10:00:00",
                                  "50,5,3600,3600,3500, No Error ,")}
            << QStringList();
        QTest::newRow("depth and filter other than most Kelvos have")
            << Files{{line('1', "10:00:00", "3600,3500"), line('2', "10:00:00", "3600,3500"),
                      line('3', "10:00:00", "3600,3500", " No Error ", "75,7")}}
            << QByteArrayList{csv('3', once,
                                  "75,7,3600,3600,3500, No Error ,activation depth differs;filter "
                                  "differs"),
                              csv('1', once, "50,5,3600,3600,3500, No Error ,"),
                              csv('2', once, "50,5,3600,3600,3500, No Error ,")}
            << QStringList();
        QTest::newRow("a quote in a serial number is quoted")
            << Files{{line('"', "10:00:00", "3600,3500")}}
            << QByteArrayList{"\"KV2300041\"\"\",\"0000041\"\"\",1,20240301 10:00:00,20240301 "
                              "10:00:00,50,5,3600,3600,3500, No Error ,\n"}
            << QStringList();
        QTest::newRow("no setting most Kelvos have")
            << Files{{line('1', "10:00:00", "3600,3500"),
                      line('2', "10:00:00", "3600,3500", " No Error ", "75,7")}}
            << QByteArrayList{csv('1', once, "50,5,3600,3600,3500, No Error ,"),
                              csv('2', once, "75,7,3600,3600,3500, No Error ,")}
            << QStringList();
        QTest::newRow("the same entry in two files, or twice in one, counts once")
            << Files{{line('1', "10:00:00", "3600,3500"), line('1', "10:00:00", "3600,3500")},
                     {line('1', "10:00:00", "3600,3500").chopped(2)}}
            << QByteArrayList{csv('1', once, "50,5,3600,3600,3500, No Error ,")} << QStringList();
        QByteArray otherFlags = line('1', "10:00:00", "3600,3500");
        otherFlags.replace(" No Error ", " Lod ");
        QTest::newRow("lines that are not LogBox lines are left out")
            << Files{{line('1', "10:00:00", "3600,3500"), "20240301,10:00:00,READ\r\n",
                      line('2', "10:00:00", "3600,3500", " No Error ", "256,5"),
                      line('2', "25:00:00", "3600,3500"), otherFlags, ",,,,,,,,,,,,,\r\n"}}
            << QByteArrayList{csv('1', once, "50,5,3600,3600,3500, No Error ,")}
            << QStringList{"f0:2", "f0:3", "f0:4", "f0:5"};
    }

    void summarisesEachKelvo()
    {
        QFETCH(Files, files);
        QFETCH(QByteArrayList, expected);
        QFETCH(QStringList, badLines);

        KelvoOverview overview;
        for (int file = 0; file < files.size(); ++file) {
            for (int number = 0; number < files.at(file).size(); ++number) {
                overview.addLine(QStringLiteral("f%1").arg(file), number + 1,
                                 files.at(file).at(number));
            }
        }
        QByteArrayList lines;
        for (const KelvoSummary& kelvo : overview.kelvos()) {
            lines << OverviewCsv::line(kelvo);
        }
        QCOMPARE(lines, expected);
        QStringList bad;
        for (const BadLogBoxLine& badLine : overview.badLines()) {
            bad << QStringLiteral("%1:%2").arg(badLine.mFile).arg(badLine.mLineNumber);
        }
        QCOMPARE(bad, badLines);
    }

    // A file whose read fails part-way is reported, not taken for a shorter one.
    void reportsAFileThatCannotBeReadToItsEnd()
    {
        KelvoOverview overview;
        QString errorText;
        QVERIFY(!overview.addFile(QStringLiteral("/proc/self/mem"), errorText));
        QVERIFY(!errorText.isEmpty());
    }

    void showsTheStatusColoursAndTheTrend()
    {
        KelvoOverview overview;
        overview.addLine({}, 1, line('1', "09:00:00", "3400,3500", " Load "));
        overview.addLine({}, 2, line('1', "10:00:00", "3297,3500", " Load "));
        overview.addLine({}, 3, line('2', "10:00:00", "3600,3297"));
        KelvoOverviewModel model;
        model.setKelvos(overview.kelvos());
        const auto colour = [&model](int row, int column, int role) {
            return model.index(row, column).data(role).value<QBrush>().color().name();
        };
        using Columns = KelvoOverviewModel;
        QCOMPARE(colour(0, Columns::kBatteryColumn, Qt::ForegroundRole), QStringLiteral("#ff0000"));
        QCOMPARE(colour(0, Columns::kSupercapColumn, Qt::ForegroundRole),
                 QStringLiteral("#8cc63f"));
        QCOMPARE(colour(1, Columns::kSupercapColumn, Qt::ForegroundRole),
                 QStringLiteral("#ff0000"));
        QCOMPARE(colour(0, Columns::kErrorFlagsColumn, Qt::BackgroundRole),
                 QStringLiteral("#ff0000"));
        QCOMPARE(colour(1, Columns::kErrorFlagsColumn, Qt::BackgroundRole),
                 QStringLiteral("#8cc63f"));
        // Levels sort as numbers; the trend runs from the lowest level or threshold to the highest.
        QCOMPARE(model.index(0, Columns::kBatteryColumn).data(Columns::kSortRole), QVariant(3297));
        QCOMPARE(model.index(0, Columns::kTrendColumn).data(Columns::kTrendRole).toList(),
                 (QVariantList{103.0 / 303, 0.0}));
        QCOMPARE(model.index(1, Columns::kTrendColumn).data(Columns::kThresholdRole),
                 QVariant(1.0 / 303));
    }
};

KELVO_TEST_MAIN(KelvoOverviewTest)
#include "test_kelvooverview.moc"
