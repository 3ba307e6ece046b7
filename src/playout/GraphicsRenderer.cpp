#include "playout/GraphicsRenderer.h"

namespace {

struct Scheme {
    quint32 background;
    quint32 panel;
    quint32 text;
};

// The standard scheme is the desktop's light grey; the Enterprise one is dark,
// so that a studio running an Enterprise set-up tells its tools apart at a glance.
constexpr Scheme standardScheme{GraphicsRenderer::StandardBackground, 0xE2E6EA, 0x1A1A1A};
constexpr Scheme enterpriseScheme{0x1E2A38, 0x2D3E52, 0xF0F4F8};

const Scheme& schemeOf(int value) {
    return value == GraphicsRenderer::Enterprise ? enterpriseScheme : standardScheme;
}

} // namespace

void GraphicsRenderer::SetValue(int newValue) {
    if (newValue == value)
        return;
    value = newValue;
    emit FactorsChanged();
}

quint32 GraphicsRenderer::Background() const {
    return schemeOf(value).background;
}

quint32 GraphicsRenderer::Panel() const {
    return schemeOf(value).panel;
}

quint32 GraphicsRenderer::Text() const {
    return schemeOf(value).text;
}
