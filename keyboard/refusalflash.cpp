#include "keyboard/refusalflash.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

namespace {
const QColor kTint(255, 170, 0, 120);
constexpr int kFlashMs = 400;

// The edit drops a character that does not fit without a sign; the watch gives it one.
class TypingWatch : public QObject
{
public:
    explicit TypingWatch(QLineEdit* edit) : QObject(edit), mEdit(edit) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const QString typed = static_cast<QKeyEvent*>(event)->text();
            const int kept = mEdit->text().size() - mEdit->selectedText().size();
            if (typed.size() == 1 && typed.at(0).isPrint() && kept + 1 > mEdit->maxLength()) {
                RefusalFlash::flash(mEdit);
            }
        }
        return false;
    }

private:
    QLineEdit* mEdit;
};
} // namespace

void RefusalFlash::flash(QLineEdit* edit)
{
    // The edit owns the effect; replacing it deletes the earlier one and so stops its timer.
    auto* effect = new RefusalFlash;
    edit->setGraphicsEffect(effect);
    QTimer::singleShot(kFlashMs, effect, [edit] { edit->setGraphicsEffect(nullptr); });
}

void RefusalFlash::watchTyping(QLineEdit* edit)
{
    edit->installEventFilter(new TypingWatch(edit));
}

// The edit as drawn, covered by a translucent amber in device pixels.
void RefusalFlash::draw(QPainter* painter)
{
    QPoint offset;
    QPixmap tinted = sourcePixmap(Qt::DeviceCoordinates, &offset, NoPad);
    {
        QPainter tint(&tinted);
        tint.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        tint.fillRect(tinted.rect(), kTint);
    }
    const QTransform transform = painter->worldTransform();
    painter->setWorldTransform(QTransform());
    painter->drawPixmap(offset, tinted);
    painter->setWorldTransform(transform);
}
