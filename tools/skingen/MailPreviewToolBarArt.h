#pragma once
// The mail preview's tool bar strip: one 16 x 16 picture (next page) on the transparent magenta.

#include <QImage>

namespace SkinGen {

QImage MailPreviewToolBarStrip();

} // namespace SkinGen
