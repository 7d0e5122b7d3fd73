#include "app/selector/screen_area_selector.h"

#include <algorithm>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "app/selector/selector_overlay.h"
#include "app/widgets/qt_pixel_image.h"
#include "app/widgets/screen_pixels.h"
#include "core/desktop/display_layout.h"
#include "core/desktop/input_injector.h"
#include "core/desktop/screen_source.h"
#include "core/search/image_screen_source.h"
#include "core/settings/profile.h"

namespace qrv {

namespace {

constexpr Qt::WindowFlags kOverlayFlags = Qt::Window | Qt::FramelessWindowHint |
                                          Qt::WindowStaysOnTopHint | Qt::Tool |
                                          Qt::X11BypassWindowManagerHint;

}  // namespace

ScreenAreaSelector::ScreenAreaSelector(DisplayLayout& layout, ScreenSource& screen,
                                       InputInjector& input, Profile& profile, QWidget* parent)
    : QDialog(parent, kOverlayFlags),
      m_input(input),
      m_profile(profile),
      m_rcVirtualScreen(layout.VirtualScreen()) {
    setObjectName(QStringLiteral("screenAreaSelector"));

    PixelImage pixels;
    if (screen.Capture(m_rcVirtualScreen, pixels)) {
        m_still = ToQImage(pixels);
        m_stillSource = std::make_unique<ImageScreenSource>(
            std::move(pixels), Point{m_rcVirtualScreen.left, m_rcVirtualScreen.top});
    }

    // This window covers the primary monitor; every other one gets a window
    // of its own.
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    QScreen* primary = QGuiApplication::primaryScreen();
    AddOverlay(*primary, false);
    box->addWidget(m_overlays.front());
    m_overlays.front()->Cover();
    for (QScreen* monitor : QGuiApplication::screens()) {
        if (monitor != primary) {
            AddOverlay(*monitor, true);
        }
    }
}

ScreenAreaSelector::~ScreenAreaSelector() = default;

std::unique_ptr<ScreenSource> ScreenAreaSelector::TakeStill() {
    return std::move(m_stillSource);
}

void ScreenAreaSelector::done(int result) {
    StoreCorners();
    QDialog::done(result);
}

Rect ScreenAreaSelector::StoredRect(QPoint start, QPoint closing, Point virtualOrigin) {
    const int left = std::min(start.x(), closing.x());
    const int right = std::max(start.x(), closing.x());
    const int top = std::min(start.y(), closing.y());
    const int bottom = std::max(start.y(), closing.y());
    return Rect{left + virtualOrigin.x, top + virtualOrigin.y, right + virtualOrigin.x,
                bottom + virtualOrigin.y};
}

void ScreenAreaSelector::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OnKey(event->key());
            return;
        default:
            event->ignore();
    }
}

void ScreenAreaSelector::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    for (SelectorOverlay* overlay : m_overlays) {
        if (overlay->isWindow()) {
            overlay->Cover();
        }
    }
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    grabKeyboard();
}

void ScreenAreaSelector::hideEvent(QHideEvent* event) {
    releaseKeyboard();
    for (SelectorOverlay* overlay : m_overlays) {
        if (overlay->isWindow()) {
            overlay->hide();
        }
    }
    QDialog::hideEvent(event);
}

void ScreenAreaSelector::AddOverlay(QScreen& screen, bool ownWindow) {
    const Point stillOrigin{m_rcVirtualScreen.left, m_rcVirtualScreen.top};
    auto* overlay = new SelectorOverlay(screen, m_still, stillOrigin,
                                        ScreenPixels::Origin(m_rcVirtualScreen), this);
    if (ownWindow) {
        overlay->setWindowFlags(kOverlayFlags);
    }
    connect(overlay, &SelectorOverlay::Pressed, this, &ScreenAreaSelector::OnPressed);
    connect(overlay, &SelectorOverlay::Moved, this, &ScreenAreaSelector::OnMoved);
    connect(overlay, &SelectorOverlay::Released, this, &ScreenAreaSelector::OnReleased);
    connect(overlay, &SelectorOverlay::KeyPressed, this, &ScreenAreaSelector::OnKey);
    m_overlays.push_back(overlay);
}

void ScreenAreaSelector::OnPressed(Point pixel) {
    m_oStartingPoint = m_current = Client(pixel);
    m_bDrawing = true;
    ShowSelection();
}

void ScreenAreaSelector::OnMoved(Point pixel) {
    if (!m_bDrawing) {
        return;
    }
    m_current = Client(pixel);
    ShowSelection();
}

void ScreenAreaSelector::OnReleased(Point pixel) {
    if (!m_bDrawing) {
        return;
    }
    m_oClosingPoint = Client(pixel);
    m_bDrawing = false;
    accept();
}

void ScreenAreaSelector::OnKey(int key) {
    if (key == Qt::Key_Escape) {
        m_bDrawing = false;
        reject();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        accept();
    }
}

void ScreenAreaSelector::ShowSelection() {
    const Point origin{m_rcVirtualScreen.left, m_rcVirtualScreen.top};
    const Rect selection = StoredRect(m_oStartingPoint, m_current, origin);
    for (SelectorOverlay* overlay : m_overlays) {
        overlay->SetSelection(selection);
    }
}

QPoint ScreenAreaSelector::Client(Point pixel) const {
    // Qt rounds event positions to its own units, which at a scale factor
    // above 1 are larger than a pixel; the desktop's own position is exact.
    const std::optional<Point> cursor =
        m_input.TracksPointer() ? m_input.CursorPos() : std::nullopt;
    const Point pointer = cursor.value_or(pixel);
    return QPoint(pointer.x - m_rcVirtualScreen.left, pointer.y - m_rcVirtualScreen.top);
}

void ScreenAreaSelector::StoreCorners() {
    if (m_stored) {
        return;
    }
    m_stored = true;
    const Rect stored = StoredRect(m_oStartingPoint, m_oClosingPoint,
                                   Point{m_rcVirtualScreen.left, m_rcVirtualScreen.top});
    m_profile.Write(keys::kStartingPointX, stored.left);
    m_profile.Write(keys::kStartingPointY, stored.top);
    m_profile.Write(keys::kClosingPointX, stored.right);
    m_profile.Write(keys::kClosingPointY, stored.bottom);
}

}  // namespace qrv
