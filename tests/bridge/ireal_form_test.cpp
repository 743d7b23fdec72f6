#include <gtest/gtest.h>

#include "bridge/internal/form_walk.h"
#include "core/charts/ireal_playlist.h"

namespace zub {
namespace {

// The chords of an iReal progression as played: first chord of each played bar.
std::string played(std::string_view progression, int repeats) {
    Ireal_song song;
    song.title = "Tune";
    song.key = "C";
    song.progression = progression;
    const Chart chart = chart_of_ireal_song(song).chart;
    std::vector<Bar_form> forms(chart.bars().size());
    for (const auto& marks : chart.forms()) forms[static_cast<std::size_t>(marks.bar - 1)] = marks.form;
    std::string text;
    for (const Played_bar& bar : play_form(forms, {chart.chorus().begin, chart.chorus().end, repeats}))
        text += chart.bars()[static_cast<std::size_t>(bar.bar)].front().symbol + " ";
    return text;
}

// iReal's constructs, read and played, the bar order counted by hand.
TEST(IrealForm, PlaysAsTheChartSays) {
    const struct {
        std::string_view progression;
        int repeats;
        std::string_view bars;
    } cases[] = {
        {"{C   |D   }E   Z", 1, "C D C D E "},
        {"{C   <3x>}D   Z", 1, "C C C D "},
        {"{C   <*585x>}D   Z", 1, "C C C C C D "},  // a count after a position offset
        {"{C   |N1D   }|N2E   }|N3F   Z", 1, "C D C E C F "},
        {"{C   |N1D   }|N0E   Z", 1, "C D C E "},
        {"C   |D   }E   Z", 1, "C D C D E "},
        {"{C   |N1D   }|N2E   ][F   |G   }A   Z", 1, "C D C E F G F G A "},
        // The D.C. text a bar early: the jump follows its section's last bar.
        {"[*AC   |D <D.C. al Fine>|E   <Fine>][*BF   Z", 1, "C D E C D E "},
        {"[C   |D   Q|E  <D.C. al Coda>]Q[F   Z", 1, "C D E C D F "},
        // Several choruses: a coda reached by "al Coda" is part of every pass...
        {"[C   |D   Q|E  <D.C. al Coda>]Q[F   Z", 2, "C D E C D F C D E C D F "},
        // ... one without a D.x is an outro, taken on the last pass only.
        {"[C   |D   Q|E   ]Q[F   Z", 2, "C D E C D F "},
        {"[C   |D   ][QE   Z", 2, "C D C D E "},
        {"[C   |SD   |E   <D.S. al Fine>Z", 1, "C D E D E "},
        {"{C   |N1D   }|N2E <D.C. al 2nd End.>]|F   Z", 1, "C D C E C E F "},
        // An intro's repeat and endings, then the tune; a D.C. goes back through the intro.
        {"{*iG   |N1A   }|N2B   ][*AC   |D   <D.C.>Z", 1, "G A G B C D G B C D "},
        {"[*AC   |D   ][*Bn   |C7 n Z", 1, "C D N.C. C7 "},
        {"[T54C    |T74D       |T44E   Z", 1, "C D E "},
    };
    for (const auto& c : cases) EXPECT_EQ(played(c.progression, c.repeats), c.bars) << c.progression;
}

}  // namespace
}  // namespace zub
