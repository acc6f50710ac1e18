#pragma once
// The pictures of the installed content, painted from code: each kind is a
// function of its index, so every build paints the same pixels.
#include <QImage>
#include <QSize>
#include <QStringList>

#include <cstdint>

namespace effectgen {

// A small fixed-seed generator: the same sequence on every machine.
class Rng {
public:
    explicit Rng(uint64_t seed) : m_state(seed * 0x9e3779b97f4a7c15ull + 1) {}
    uint64_t next()
    {
        uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

private:
    uint64_t m_state;
};

enum class VideoEffect { Snow, Rain, Bubbles, Sparkles, FallingLeaves, LightLeak, FilmGrain, Confetti };
enum class FrameStyle { GoldClassic, Wood, FilmStrip, Instant, RoundedBlack, Neon, Dots, Vignette };

constexpr int kVideoEffectCount = 8;
constexpr int kFrameStyleCount = 8;

// English names as the libraries list them (translated when shown).
QStringList videoEffectNames();
QStringList frameNames();
QStringList videoEffectFolders();
QStringList frameFolders();

// Frame index of frames of a loop: the last frame leads into the first.
QImage paintVideoEffect(VideoEffect kind, int frame, int frames, QSize size);
QImage paintFrame(FrameStyle kind, QSize size);

// A small scene (sky over hills) that thumbnails draw their content on,
// so transparent content shows what it does to a picture.
QImage thumbnailScene(QSize size);
// The middle of picture scaled to cover size.
QImage coverInto(const QImage &picture, QSize size);

} // namespace effectgen
