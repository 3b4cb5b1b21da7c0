#include "platform/qt/keyboard.h"

#include <algorithm>
#include <numeric>

namespace qtui {

namespace {

struct Cut {
    int gap = -1;
    bool down = false;  // a vertical cut, parting columns
    std::vector<std::size_t> first, second;
};

// Two boxes stand in one row when each reaches the other's middle.
bool OneRow(const QRect& a, const QRect& b) {
    const auto reaches = [](const QRect& box, int y) {
        return y >= box.top() && y <= box.bottom();
    };
    return reaches(a, b.center().y()) && reaches(b, a.center().y());
}

// The widest gap across (down = false) or down the boxes, if any.
Cut WidestCut(const std::vector<QRect>& boxes, const std::vector<std::size_t>& set, bool down) {
    const auto start = [&](std::size_t i) { return down ? boxes[i].left() : boxes[i].top(); };
    const auto end = [&](std::size_t i) { return down ? boxes[i].right() : boxes[i].bottom(); };
    std::vector<std::size_t> sorted = set;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](std::size_t a, std::size_t b) { return start(a) < start(b); });
    Cut best;
    int reached = end(sorted.front());
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        const int gap = start(sorted[i]) - reached - 1;
        if (gap >= 0 && gap > best.gap) {
            Cut cut{gap,
                    down,
                    {sorted.begin(), sorted.begin() + static_cast<long>(i)},
                    {sorted.begin() + static_cast<long>(i), sorted.end()}};
            const bool partsARow =
                down && std::any_of(cut.first.begin(), cut.first.end(), [&](auto a) {
                    return std::any_of(cut.second.begin(), cut.second.end(),
                                       [&](auto b) { return OneRow(boxes[a], boxes[b]); });
                });
            if (!partsARow) best = std::move(cut);
        }
        reached = std::max(reached, end(sorted[i]));
    }
    return best;
}

void Order(const std::vector<QRect>& boxes, const std::vector<std::size_t>& set,
           std::vector<std::size_t>* order) {
    if (set.size() <= 1) {
        order->insert(order->end(), set.begin(), set.end());
        return;
    }
    Cut across = WidestCut(boxes, set, false);
    Cut down = WidestCut(boxes, set, true);
    Cut& cut = down.gap > across.gap ? down : across;
    if (cut.gap < 0) {
        // One row: left to right.
        std::vector<std::size_t> row = set;
        std::stable_sort(row.begin(), row.end(), [&](std::size_t a, std::size_t b) {
            return boxes[a].left() < boxes[b].left();
        });
        order->insert(order->end(), row.begin(), row.end());
        return;
    }
    Order(boxes, cut.first, order);
    Order(boxes, cut.second, order);
}

bool Ascii(QChar c) {
    return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}

bool WordStart(const QString& text, int at) {
    return at == 0 || !text[at - 1].isLetterOrNumber();
}

}  // namespace

std::vector<std::size_t> LayoutOrder(const std::vector<QRect>& boxes) {
    std::vector<std::size_t> all(boxes.size());
    std::iota(all.begin(), all.end(), 0);
    std::vector<std::size_t> order;
    Order(boxes, all, &order);
    return order;
}

std::vector<QChar> PickMnemonics(const std::vector<QString>& texts, QString* taken) {
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return texts[a].size() < texts[b].size();
    });
    std::vector<QChar> letters(texts.size());
    for (std::size_t i : order) {
        const QString& text = texts[i];
        for (int pass = 0; pass < 2 && letters[i].isNull(); ++pass) {
            for (int at = 0; at < text.size(); ++at) {
                const QChar c = text[at].toLower();
                if ((pass == 0 && !WordStart(text, at)) || !Ascii(c) || taken->contains(c))
                    continue;
                letters[i] = c;
                *taken += c;
                break;
            }
        }
    }
    return letters;
}

int MnemonicPosition(const QString& text, QChar letter) {
    if (letter.isNull()) return -1;
    for (int pass = 0; pass < 2; ++pass) {
        for (int at = 0; at < text.size(); ++at) {
            if ((pass == 1 || WordStart(text, at)) && text[at].toLower() == letter) return at;
        }
    }
    return -1;
}

}  // namespace qtui
