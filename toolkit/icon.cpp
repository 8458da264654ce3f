// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/icon.h"

#include <QIcon>
#include <QPainter>
#include <QWidget>

namespace tk {

Icon::Icon() = default;
Icon::Icon(const QIcon& icon) : icon_(icon.isNull() ? nullptr : std::make_shared<QIcon>(icon)) {}
Icon::~Icon() = default;
Icon::Icon(const Icon&) = default;
Icon& Icon::operator=(const Icon&) = default;

bool Icon::IsNull() const { return icon_ == nullptr; }

const QIcon& Icon::Qt() const {
    static const QIcon kEmpty;
    return icon_ ? *icon_ : kEmpty;
}

int SystemIconWidth() { return 32; }
int SystemIconHeight() { return 32; }

PaintContext::PaintContext(QWidget* window)
    : window_(window), painter_(window != nullptr ? std::make_unique<QPainter>(window) : nullptr) {}

PaintContext::~PaintContext() = default;

void PaintContext::EraseIconBackground() {
    if (!painter_) return;
    painter_->fillRect(window_->rect(), window_->palette().window());
}

void PaintContext::DrawIcon(int x, int y, const Icon& icon) {
    if (!painter_ || icon.IsNull()) return;
    // At the system size whatever the picture's own size, as icons are drawn.
    const QSize size(SystemIconWidth(), SystemIconHeight());
    painter_->drawPixmap(QRect(QPoint(x, y), size), icon.Qt().pixmap(size));
}

}  // namespace tk
