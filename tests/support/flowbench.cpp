#include "tests/support/flowbench.h"

#include <QFile>
#include <QRegularExpression>

FlowBench::FlowBench()
{
    mBoard.tag().fillWithPlausibleValues();
    mBox.tag().fillWithPlausibleValues();
    mBox.setPlugged(false);
}

void FlowBench::useStandaloneBox()
{
    mBoard.setPlugged(false);
    mBox.setPlugged(true);
}

void FlowBench::start()
{
    mWindow = std::make_unique<MainWindow>(mBoard, mBox);
    auto* bar = mWindow->findChild<QProgressBar*>(QStringLiteral("progressBar"));
    QObject::connect(bar, &QProgressBar::valueChanged, [this](int value) { mProgress << value; });
}

void FlowBench::showTab(int index)
{
    find<QTabWidget>("TabW_menu")->setCurrentIndex(index);
}

void FlowBench::click(QPushButton* button)
{
    mAnswerer.clear();
    mProgress.clear();
    mAnswerer.watchButton(button->objectName());
    button->click();
}

QStringList FlowBench::logLines()
{
    QFile file(QStringLiteral("log.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray content = file.readAll();
    QStringList lines;
    const QRegularExpression stamp(QStringLiteral("^\\d{8},\\d\\d:\\d\\d:\\d\\d,"));
    for (const QByteArray& line : content.split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        QString text = QString::fromLatin1(line);
        if (!text.endsWith(QLatin1Char('\r')) || !stamp.match(text).hasMatch()) {
            return {QStringLiteral("malformed: ") + text};
        }
        text.chop(1);
        lines << text.mid(18);
    }
    return lines;
}
