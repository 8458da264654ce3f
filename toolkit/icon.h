// SPDX-License-Identifier: GPL-3.0-or-later
// Icons and the painting of a minimised window.
#pragma once

#include <memory>

class QIcon;
class QWidget;
class QPainter;

namespace tk {

// A shared, copyable handle to an icon picture. A default-constructed Icon
// is null.
class Icon {
  public:
    Icon();
    explicit Icon(const QIcon& icon);
    ~Icon();
    Icon(const Icon&);
    Icon& operator=(const Icon&);

    bool IsNull() const;
    const QIcon& Qt() const;  // an empty QIcon when null

  private:
    std::shared_ptr<QIcon> icon_;
};

struct Rect {
    int left, top, right, bottom;  // pixels
};

// The platform's standard icon size in pixels (32 by 32 here).
int SystemIconWidth();
int SystemIconHeight();

// Painting of a window in progress; created inside a window's paint handler.
class PaintContext {
  public:
    explicit PaintContext(QWidget* window);
    ~PaintContext();
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;

    // Fills the window's background where a minimised window shows its icon.
    void EraseIconBackground();
    // Draws `icon` at its system size with its top-left corner at (x, y).
    void DrawIcon(int x, int y, const Icon& icon);

  private:
    QWidget* window_;
    std::unique_ptr<QPainter> painter_;
};

}  // namespace tk
