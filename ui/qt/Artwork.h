#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

namespace tarnwick {

// The drawings of the window, kept as vector art in the program's resources.
inline const QString kBannerArt = QStringLiteral(":/tarnwick/banner.svg");
inline const QString kIconArt = QStringLiteral(":/tarnwick/icon.svg");
inline const QString kSmallIconArt = QStringLiteral(":/tarnwick/icon-16.svg");

inline constexpr QSize kBannerSize{500, 132};

// The window icon, drawn for 16 x 16 and 32 x 32 pixels and for twice those on dense screens.
QIcon WindowIcon();

// A drawing rendered into an image of that many device pixels; a null image when the drawing
// cannot be read.
QImage RenderArt(const QString& art, QSize pixels);

}  // namespace tarnwick
