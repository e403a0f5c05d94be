#pragma once
// The nearest-point search that the layout's grids share: it measures as CentreDistance
// does and breaks ties toward the lower order, so that a grid finds exactly what a scan
// of the whole node array finds.

#include <cmath>
#include <cstdint>
#include <limits>

namespace zarvik {

// A node centre as the grids hold it; order is the node's position in the node array,
// and the radius comes along for those who look the point up.
struct HAutoGraphPoint {
    double x = 0;
    double y = 0;
    int32_t order = 0;
    int32_t radius = 0;
};

inline constexpr double kUnboundedReach = std::numeric_limits<double>::infinity();

class HAutoGraphNearestSearch {
public:
    // The nearest point to (x, y) other than exclude, no farther than reach.
    HAutoGraphNearestSearch(double x, double y, int32_t exclude, double reach)
        : m_x(x),
          m_y(y),
          m_exclude(exclude),
          m_bound(reach),
          m_squareLimit(reach * reach * kMargin) {}

    // Looks at the points from first to end, in ascending order. True when one lies on the
    // very centre: nothing after it in the same run can then be nearer.
    bool Scan(const HAutoGraphPoint* first, const HAutoGraphPoint* end) {
        // Held in locals, so that the loop keeps them in registers.
        const double x = m_x, y = m_y;
        const int32_t exclude = m_exclude;
        double squareLimit = m_squareLimit;
        bool onCentre = false;
        for (const HAutoGraphPoint* p = first; p != end; ++p) {
            const double dx = x - p->x;
            const double dy = y - p->y;
            const double square = dx * dx + dy * dy;
            if (square > squareLimit || p->order == exclude) {
                continue;
            }
            const double d = std::sqrt(square);  // as CentreDistance measures it
            if (d < m_bound || (d == m_bound && (m_best < 0 || p->order < m_best))) {
                m_best = p->order;
                m_bestPoint = p;
                m_bound = d;
                squareLimit = square * kMargin;
                if (d == 0) {
                    onCentre = true;
                    break;
                }
            }
        }
        m_squareLimit = squareLimit;
        return onCentre;
    }

    double X() const { return m_x; }
    double Y() const { return m_y; }
    // The order of the point found, -1 for none.
    int32_t Best() const { return m_best; }
    // The point found, nullptr for none.
    const HAutoGraphPoint* BestPoint() const { return m_bestPoint; }
    // The distance of the point found; before one is found, the reach.
    double Bound() const { return m_bound; }

    // A point whose squared distance exceeds another's by more than this factor is farther
    // after the square root as well, whatever the rounding. Only the points within it need
    // the square root and the exact comparison.
    static constexpr double kMargin = 1.0 + 0x1p-40;

private:
    double m_x;
    double m_y;
    int32_t m_exclude;
    int32_t m_best = -1;
    const HAutoGraphPoint* m_bestPoint = nullptr;
    double m_bound;
    double m_squareLimit;
};

// The nearest point by a first pass over the squared distances alone, which keeps every
// point that was the nearest so far or nearly so; the exact comparison then looks at those
// few only. Whichever point is the nearest within the reach is always among them.
class HAutoGraphNearestGather {
public:
    // The nearest point to from, within reach; kept holds room for every point looked at.
    HAutoGraphNearestGather(const HAutoGraphPoint& from, double reach, const HAutoGraphPoint** kept)
        : m_from(from), m_reach(reach), m_least(reach * reach * kMargin), m_kept(kept) {}

    // Looks at the points from first to end, which never hold from itself. Returns the first
    // point on the very centre, nullptr when there is none; the gathering ends at it.
    const HAutoGraphPoint* Gather(const HAutoGraphPoint* first, const HAutoGraphPoint* end) {
        return Run<true>(first, end);
    }
    // The same where no point can lie on the very centre.
    void GatherOffCentre(const HAutoGraphPoint* first, const HAutoGraphPoint* end) {
        Run<false>(first, end);
    }

    // No point nearer than the nearest gathered lies farther than this, nor one as near.
    double Bound() const { return std::sqrt(m_least); }
    // The nearest point gathered, nullptr when none lies within the reach.
    const HAutoGraphPoint* Nearest() const {
        HAutoGraphNearestSearch search(m_from.x, m_from.y, m_from.order, m_reach);
        const double limit = m_least * kMargin;
        for (int32_t i = 0; i < m_count; ++i) {
            const double dx = m_from.x - m_kept[i]->x;
            const double dy = m_from.y - m_kept[i]->y;
            // Those kept before a nearer point came are passed over.
            if (dx * dx + dy * dy <= limit) {
                search.Scan(m_kept[i], m_kept[i] + 1);
            }
        }
        return search.BestPoint();
    }

private:
    static constexpr double kMargin = HAutoGraphNearestSearch::kMargin;

    template <bool kCentre>
    const HAutoGraphPoint* Run(const HAutoGraphPoint* first, const HAutoGraphPoint* end) {
        const double x = m_from.x, y = m_from.y;
        double least = m_least;
        int32_t count = m_count;
        const HAutoGraphPoint* centre = nullptr;
        for (const HAutoGraphPoint* p = first; p != end; ++p) {
            const double dx = x - p->x;
            const double dy = y - p->y;
            const double square = dx * dx + dy * dy;
            if (kCentre && square == 0) {
                centre = p;
                break;
            }
            least = square < least ? square : least;
            // Written always, kept only when near enough: no branch to mispredict.
            m_kept[count] = p;
            count += square <= least * kMargin ? 1 : 0;
        }
        m_least = least;
        m_count = count;
        return centre;
    }

    const HAutoGraphPoint& m_from;
    double m_reach;
    double m_least;  // the least squared distance so far, or the reach squared
    const HAutoGraphPoint** m_kept;
    int32_t m_count = 0;
};

}  // namespace zarvik
