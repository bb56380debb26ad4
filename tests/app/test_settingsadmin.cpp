#include "tests/support/flowbench.h"
#include "tests/support/kelvotestmain.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

namespace {

const QString kSuccessStyle = QStringLiteral("background-color: #8CC63F;");
const QString kFailureStyle = QStringLiteral("background-color: #FF0000;");
const QString kFirstDepthMessage =
    QStringLiteral("the depth of activation is a positive number between (25 to 150)");
const QString kThirdDepthMessage = QStringLiteral(
    "The activation depth of activation should be a positive number between (25 to 150)");

QSettings store()
{
    return QSettings(QStringLiteral("Varrow"), QStringLiteral("ConfKelvo"));
}

void fillAdmin(FlowBench& bench, const QStringList& values)
{
    const char* names[] = {"LnEd_ActivationDepth1", "LnEd_ActivationDepth2",
                           "LnEd_ActivationDepth3", "LnEd_StreamerID", "LnEd_DeviceID"};
    for (int index = 0; index < values.size(); ++index) {
        bench.field(names[index])->setText(values.at(index));
    }
}

QStringList adminFields(FlowBench& bench)
{
    QStringList values;
    for (const char* name :
         {"LnEd_ActivationDepth1", "LnEd_ActivationDepth2", "LnEd_ActivationDepth3",
          "LnEd_StreamerID", "LnEd_DeviceID", "LnEd_LogDestination"}) {
        values << bench.field(name)->text();
    }
    return values;
}

} // namespace

class SettingsAdminTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings settings = store();
        settings.clear();
        settings.sync();
        QFile::remove(QStringLiteral("log.txt"));
    }

    void firstRunTakesTheDefaultsAndNamesTheLogBoxFile()
    {
        QString logBoxPath;
        {
            FlowBench bench;
            bench.start();
            bench.showTab(2);
            QCOMPARE(adminFields(bench), (QStringList{"50", "75", "100", "S", "D", "log.txt"}));
            logBoxPath = store().value(QStringLiteral("SBox Path Log")).toString();
            QVERIFY2(QRegularExpression(QStringLiteral("^\\./LogBox_\\d{8}_\\d{6}\\.txt$"))
                         .match(logBoxPath)
                         .hasMatch(),
                     qPrintable(logBoxPath));
        }
        QTest::qWait(1100);
        FlowBench secondRun;
        secondRun.start();
        QCOMPARE(store().value(QStringLiteral("SBox Path Log")).toString(), logBoxPath);
    }

    void convertsStoredValues()
    {
        {
            QSettings settings = store();
            settings.setValue(QStringLiteral("Depth0"), 300);
            settings.setValue(QStringLiteral("Depth1"), QStringLiteral("not a number"));
            settings.setValue(QStringLiteral("Depth2"), QStringLiteral("120"));
            settings.setValue(QStringLiteral("StreamerID"), QStringLiteral("84"));
            settings.setValue(QStringLiteral("DeviceID"), 1000);
        }
        FlowBench bench;
        bench.start();
        // A damaged depth gives its preset's default, never a depth that would reach a Kelvo.
        auto* depths = bench.find<QComboBox>("Cmb_Depth");
        QCOMPARE(depths->currentText(), QStringLiteral("50"));
        QCOMPARE(depths->itemText(1), QStringLiteral("75"));
        QCOMPARE(depths->itemText(2), QStringLiteral("120"));
        bench.showTab(2);
        QCOMPARE(bench.field("LnEd_StreamerID")->text(), QStringLiteral("T"));
        QCOMPARE(bench.field("LnEd_DeviceID")->text(), QStringLiteral("D"));
        // The crew is told once, at start-up, what was replaced.
        QCOMPARE(
            bench.answerer().texts().value(0),
            QStringLiteral("The setting \"Depth0\" held \"300\", which cannot be used: 50 is "
                           "used instead.\nThe setting \"Depth1\" held \"not a number\", which "
                           "cannot be used: 75 is used instead.\nThe setting \"DeviceID\" held "
                           "\"1000\", which cannot be used: D is used instead."));
    }

    void writesTheSetup()
    {
        FlowBench bench;
        bench.start();
        bench.showTab(2);
        fillAdmin(bench, {"30", "60", "90", "A", "B"});
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().texts(), QStringList{"Write operation was successfull"});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kSuccessStyle);
        QCOMPARE(bench.progress(), (QList<int>{10, 40, 60, 100}));
        QSettings settings = store();
        QCOMPARE(settings.value(QStringLiteral("Depth0")).toInt(), 30);
        QCOMPARE(settings.value(QStringLiteral("Depth1")).toInt(), 60);
        QCOMPARE(settings.value(QStringLiteral("Depth2")).toInt(), 90);
        QCOMPARE(settings.value(QStringLiteral("StreamerID")).toInt(), 65);
        QCOMPARE(settings.value(QStringLiteral("DeviceID")).toInt(), 66);
        QCOMPARE(FlowBench::logLines(),
                 QStringList{"WRITE SETUP,30,60,90,StreamerID : A,DeviceID : B"});

        // An empty letter keeps the letter held; the next run starts with the stored presets.
        fillAdmin(bench, {"30", "60", "90", "", "C"});
        bench.click(bench.writeButton());
        QCOMPARE(store().value(QStringLiteral("StreamerID")).toInt(), 65);
        QCOMPARE(store().value(QStringLiteral("DeviceID")).toInt(), 67);
        FlowBench nextRun;
        nextRun.start();
        QCOMPARE(nextRun.find<QComboBox>("Cmb_Depth")->currentText(), QStringLiteral("30"));
        QCOMPARE(nextRun.find<QComboBox>("Cmb_Depth")->itemText(2), QStringLiteral("90"));
    }

    void movesTheLogBoxFileWithTheLog()
    {
        store().setValue(QStringLiteral("SBox Path Log"),
                         QStringLiteral("./LogBox_20240301_140509.txt"));
        FlowBench bench;
        bench.start();
        bench.showTab(2);
        const QString folder = QDir::current().absoluteFilePath(QStringLiteral("logs"));
        QDir().mkpath(folder);
        bench.field("LnEd_LogDestination")->setText(folder + QStringLiteral("/ops.txt"));
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().texts(), QStringList{"Write operation was successfull"});
        QCOMPARE(store().value(QStringLiteral("SBox Path Log")).toString(),
                 folder + QStringLiteral("/LogBox_20240301_140509.txt"));
        QCOMPARE(store().value(QStringLiteral("Path Log")).toString(),
                 folder + QStringLiteral("/ops.txt"));
        QVERIFY(QFile::exists(folder + QStringLiteral("/ops.txt")));

        // A log path that cannot be opened for appending is refused with the system's reason, and
        // nothing is stored.
        bench.field("LnEd_LogDestination")->setText(QStringLiteral("D:/logs/ops.txt"));
        bench.click(bench.writeButton());
        const QString missing = QStringLiteral(": No such file or directory");
        QCOMPARE(bench.answerer().texts(),
                 (QStringList{"The operations log D:/logs/ops.txt cannot be opened for appending" +
                                  missing,
                              "Write operation failed, try again"}));
        QCOMPARE(bench.answerer().seen().at(0).title, QStringLiteral("Admin"));
        QCOMPARE(bench.answerer().seen().at(0).icon, QMessageBox::Warning);
        QCOMPARE(store().value(QStringLiteral("Path Log")).toString(),
                 folder + QStringLiteral("/ops.txt"));

        // A log that can no longer be written is reported with its path and the reason.
        QVERIFY(QDir(folder).removeRecursively());
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(),
                 (QStringList{"Log file entry failed\n" + folder + "/ops.txt" + missing,
                              "Read operation was successfull"}));
    }

    void rejectsPresetDepths()
    {
        FlowBench bench;
        bench.start();
        bench.showTab(2);
        const struct
        {
            QStringList entries;
            const char* field;
            QString message;
            const char* restored;
        } rejections[] = {
            {{"24", "60", "90"}, "LnEd_ActivationDepth1", kFirstDepthMessage, "50"},
            {{"151", "60", "90"}, "LnEd_ActivationDepth1", kFirstDepthMessage, "50"},
            {{"", "60", "90"}, "LnEd_ActivationDepth1", kFirstDepthMessage, "50"},
            {{"281", "60", "90"}, "LnEd_ActivationDepth1", kFirstDepthMessage, "50"},
            {{"30", "6a", "90"}, "LnEd_ActivationDepth2", kFirstDepthMessage, "75"},
            {{"30", "60", "9"}, "LnEd_ActivationDepth3", kThirdDepthMessage, "100"},
        };
        for (const auto& rejection : rejections) {
            fillAdmin(bench, rejection.entries);
            bench.click(bench.writeButton());
            QCOMPARE(bench.answerer().texts(),
                     (QStringList{rejection.message, "Write operation failed, try again"}));
            QCOMPARE(bench.answerer().seen().at(0).title, QStringLiteral("Admin"));
            QCOMPARE(bench.answerer().seen().at(1).watchedButtonStyle, kFailureStyle);
            QLineEdit* field = bench.field(rejection.field);
            QCOMPARE(field->text(), QLatin1String(rejection.restored));
            QCOMPARE(field->selectedText(), field->text());
            QVERIFY(!store().contains(QStringLiteral("Depth0")));
        }
        QVERIFY(FlowBench::logLines().isEmpty());
        fillAdmin(bench, {"25", "150", "150"});
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().texts(), QStringList{"Write operation was successfull"});
        QCOMPARE(store().value(QStringLiteral("Depth1")).toInt(), 150);
    }

    // A store that cannot be written (here a folder stands where its file goes) is not reported
    // as saved: the next start would not find the setup.
    void aSetupTheStoreRefusesIsNotReportedAsSaved()
    {
        FlowBench bench;
        bench.start();
        const QString file = store().fileName();
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkpath(file));
        bench.showTab(2);
        fillAdmin(bench, {"30", "60", "90"});
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().texts(),
                 (QStringList{"The setup could not be saved in " + file +
                                  ": it applies only until the tool is closed.",
                              "Write operation failed, try again"}));
        QCOMPARE(bench.answerer().seen().at(1).watchedButtonStyle, kFailureStyle);
        QVERIFY(FlowBench::logLines().isEmpty());
        QVERIFY(QDir(file).removeRecursively());
    }

    void readSetupRestoresTheStoredValues()
    {
        store().setValue(QStringLiteral("Depth2"), 120);
        FlowBench bench;
        bench.start();
        bench.showTab(2);
        fillAdmin(bench, {"31", "61", "91", "X", "Y"});
        bench.board().setPlugged(false);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(), QStringList{"Read operation was successfull"});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kSuccessStyle);
        QCOMPARE(adminFields(bench), (QStringList{"50", "75", "120", "S", "D", "log.txt"}));
        QCOMPARE(FlowBench::logLines(),
                 QStringList{"READ SETUP,50,75,120,StreamerID : S,DeviceID : D"});
    }
};

KELVO_TEST_MAIN(SettingsAdminTest)
#include "test_settingsadmin.moc"
