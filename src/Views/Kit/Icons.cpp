#include "Icons.h"

#include "Fonts.h"

#include <QDebug>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct Symbol
{
    QStringView name;
    char16_t glyph;
    // A number drawn inside the glyph, for the skip steps the font has no glyph of.
    QStringView label = {};
    // The glyph drawn mirrored left to right.
    bool mirrored = false;
};

// Each symbol and the icon font's glyph that draws it (the font's own name in the comment).
constexpr std::array<Symbol, 84> table{{
    {u"arrow.clockwise", 0xe5d5},                    // refresh
    {u"arrow.counterclockwise", 0xe042},             // replay
    {u"arrow.down.circle", 0xf181},                  // arrow_circle_down
    {u"arrow.down.right.and.arrow.up.left", 0xe5d1}, // fullscreen_exit
    {u"arrow.triangle.2.circlepath", 0xe627},        // sync
    {u"arrow.up.arrow.down", 0xe8d5},                // swap_vert
    {u"arrow.up.left.and.arrow.down.right", 0xe5d0}, // fullscreen
    {u"arrow.up.to.line", 0xe25a},                   // vertical_align_top
    {u"aspectratio", 0xe85b},                        // aspect_ratio
    {u"bolt", 0xea0b},                               // bolt
    {u"calendar", 0xe935},                           // calendar_today
    {u"calendar.badge.clock", 0xeb7b},               // event_repeat
    {u"captions.bubble", 0xe01c},                    // closed_caption
    {u"checkmark", 0xe5ca},                          // check
    {u"checkmark.circle.fill", 0xe86c},              // check_circle
    {u"chevron.down", 0xe5cf},                       // expand_more
    {u"chevron.left", 0xe5cb},                       // chevron_left
    {u"chevron.right", 0xe5cc},                      // chevron_right
    {u"chevron.up", 0xe5ce},                         // expand_less
    {u"chevron.up.chevron.down", 0xe5d7},            // unfold_more
    {u"clock", 0xe8b5},                              // schedule
    {u"clock.arrow.circlepath", 0xe889},             // history
    {u"ellipsis", 0xe5d3},                           // more_horiz
    {u"exclamationmark.triangle", 0xf083},           // warning_amber
    {u"exclamationmark.triangle.fill", 0xe002},      // warning
    {u"eye", 0xe8f4},                                // visibility
    {u"eye.slash", 0xe8f5},                          // visibility_off
    {u"film.stack", 0xe02c},                         // movie
    {u"forward.end.fill", 0xe044},                   // skip_next
    {u"gearshape", 0xe8b8},                          // settings
    {u"globe", 0xe894},                              // language
    {u"gobackward.10", 0xe059},                      // replay_10
    {u"gobackward.15", 0xe042, u"15"},               // replay
    {u"gobackward.30", 0xe05a},                      // replay_30
    {u"gobackward.45", 0xe042, u"45"},               // replay
    {u"gobackward.5", 0xe05b},                       // replay_5
    {u"gobackward.60", 0xe042, u"60"},               // replay
    {u"goforward.10", 0xe056},                       // forward_10
    {u"goforward.15", 0xe042, u"15", true},          // replay, mirrored
    {u"goforward.30", 0xe057},                       // forward_30
    {u"goforward.45", 0xe042, u"45", true},          // replay, mirrored
    {u"goforward.5", 0xe058},                        // forward_5
    {u"goforward.60", 0xe042, u"60", true},          // replay, mirrored
    {u"heart", 0xe87e},                              // favorite_border
    {u"heart.fill", 0xe87d},                         // favorite
    {u"heart.slash", 0xeac2},                        // heart_broken
    {u"house", 0xe88a},                              // home
    {u"house.fill", 0xe88a},                         // home
    {u"info.circle", 0xe88f},                        // info_outline
    {u"info.circle.fill", 0xe88e},                   // info
    {u"lightbulb", 0xe0f0},                          // lightbulb
    {u"line.3.horizontal.decrease", 0xe152},         // filter_list
    {u"list.bullet", 0xe896},                        // list
    {u"list.bullet.rectangle", 0xe0ee},              // list_alt
    {u"lock", 0xe897},                               // lock
    {u"lock.shield", 0xe32a},                        // security
    {u"magnifyingglass", 0xe8b6},                    // search
    {u"minus.circle", 0xe15d},                       // remove_circle_outline
    {u"network", 0xeb2f},                            // lan
    {u"pause.fill", 0xe034},                         // pause
    {u"pencil", 0xe3c9},                             // edit
    {u"person.2", 0xe7fb},                           // people
    {u"play.circle.fill", 0xe038},                   // play_circle_filled
    {u"play.fill", 0xe037},                          // play_arrow
    {u"play.rectangle", 0xf06a},                     // smart_display
    {u"play.rectangle.fill", 0xf06a},                // smart_display
    {u"play.rectangle.on.rectangle", 0xe04a},        // video_library
    {u"plus", 0xe145},                               // add
    {u"sidebar.left", 0xf114, {}, true},             // view_sidebar, mirrored
    {u"sparkle", 0xe65f},                            // auto_awesome
    {u"sparkles", 0xe65f},                           // auto_awesome
    {u"speaker.slash.fill", 0xe04f},                 // volume_off
    {u"speaker.wave.1.fill", 0xe04d},                // volume_down
    {u"speaker.wave.2.fill", 0xe050},                // volume_up
    {u"square.grid.2x2", 0xe9b0},                    // grid_view
    {u"square.grid.3x3", 0xe5c3},                    // apps
    {u"star.fill", 0xe838},                          // star
    {u"text.badge.plus", 0xe03b},                    // playlist_add
    {u"trash", 0xe872},                              // delete
    {u"tv", 0xe333},                                 // tv
    {u"waveform", 0xe1b8},                           // graphic_eq
    {u"xmark", 0xe5cd},                              // close
    {u"xmark.circle.fill", 0xe5c9},                  // cancel
    {u"xmark.octagon.fill", 0xe99a},                 // dangerous
}};

const Symbol *find(QStringView name)
{
    const auto found = std::find_if(table.begin(), table.end(), [&](const Symbol &entry) { return entry.name == name; });
    return found == table.end() ? nullptr : &*found;
}

} // namespace

QString Icons::glyph(const QString &symbol)
{
    const Symbol *entry = find(symbol);
    if (!entry) {
        if (!symbol.isEmpty())
            qWarning() << "Icon: unknown symbol" << symbol;
        return QString();
    }
    return QString(QChar(entry->glyph));
}

QString Icons::label(const QString &symbol)
{
    const Symbol *entry = find(symbol);
    return entry ? entry->label.toString() : QString();
}

QFont Icons::labelFont(qreal box)
{
    return Fonts::interface(std::max(5.0, std::round(box * 0.24)), 600);
}

bool Icons::mirrored(const QString &symbol)
{
    const Symbol *entry = find(symbol);
    return entry && entry->mirrored;
}

qreal Icons::glyphSize(qreal size)
{
    return std::round(size * 1.2);
}

bool Icons::contains(QStringView symbol)
{
    return find(symbol) != nullptr;
}

QStringList Icons::symbols()
{
    QStringList names;
    names.reserve(qsizetype(table.size()));
    for (const Symbol &entry : table)
        names.append(entry.name.toString());
    return names;
}

QString Icons::family()
{
    return Fonts::iconFamily.toString();
}
