#include "keyboard/refusalflash.h"

#include <QLineEdit>
#include <QPainter>
#include <QTimer>

namespace {
const QColor kTint(255, 170, 0, 120);
constexpr int kFlashMs = 400;
} // namespace

void RefusalFlash::flash(QLineEdit* edit)
{
    // The edit owns the effect; replacing it deletes the earlier one and so stops its timer.
    auto* effect = new RefusalFlash;
    edit->setGraphicsEffect(effect);
    QTimer::singleShot(kFlashMs, effect, [edit] { edit->setGraphicsEffect(nullptr); });
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
