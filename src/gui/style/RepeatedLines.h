#pragma once

#include <QImage>
#include <QSize>
#include <functional>
#include <vector>

class QPainter;
class QPixmap;
class QPoint;

namespace qm {

// The longest run of alike rows and the longest run of alike columns of a picture (the long sides
// of a frame, the groove of a scroll bar), in the picture's logical pixels. Cut down to a tile of
// at most Tile lines, a large picture is kept in a fraction of its memory; drawn back, the tile is
// repeated, unscaled, so that every pixel is the picture's own.
class RepeatedLines {
public:
    // Lines kept of each run.
    static constexpr int Tile = 128;

    static RepeatedLines Find(const QImage& picture);

    // Whether cutting saves enough to be worth it: a picture of more than 16 KB with a run
    // longer than a tile.
    bool cuts() const;
    // The picture with the runs cut down to their tiles.
    QImage cut(const QImage& picture) const;
    // Draws the whole picture at `at` from `cut`, the picture cut.
    void draw(QPainter& painter, QPoint at, const QPixmap& cut) const;

private:
    // Lines [start, start + length) along one side, each alike the first.
    struct Run {
        int start = 0;
        int length = 0;
        int tile() const { return length > Tile ? Tile : length; }
        bool cut() const { return length > Tile; }
    };
    // A stretch of the picture along one side and where it is kept in the picture cut.
    struct Stretch {
        int from = 0;   // in the picture
        int length = 0; // in the picture
        int kept = 0;   // where it starts in the picture cut
        int tile = 0;   // lines kept, repeated over `length`; `length` when none are repeated
    };
    static Run LongestRun(int lines, const std::function<bool(int, int)>& alike);
    static std::vector<Stretch> Stretches(int length, const Run& run);

    QSize size_;    // logical
    int ratio_ = 1; // device pixels to a logical one
    qsizetype bytes_ = 0;
    Run rows_, columns_;
    bool emptyMiddle_ = false; // the tile where the two runs cross is transparent
};

} // namespace qm
