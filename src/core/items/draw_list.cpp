#include "core/items/draw_list.h"

#include <algorithm>

#include "core/items/item_core.h"
#include "core/items/item_line.h"
#include "core/items/item_object.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

int64_t IndexKey(int32_t kind, int32_t id) {
    return (static_cast<int64_t>(kind) << 32) | static_cast<uint32_t>(id);
}

struct KeyPrefix {
    std::string_view prefix;
    int32_t kind;
};

// Tested in this order, with case.
constexpr KeyPrefix kKeyPrefixes[] = {
    {"TASK_", kKindTask},   {"FILE_", kKindFile},         {"Border_", kKindBorder},
    {"Other_", kKindOther}, {"Function_", kKindFunction}, {"ImageBox_", kKindImageBox},
    {"View_", kKindView},
};

void TellLineEnds(HItemLine& line) {
    if (line.fromItem != nullptr) {
        line.fromItem->OnLinkRemoved(line.toItem);
    }
    if (line.toItem != nullptr) {
        line.toItem->OnLinkRemoved(line.fromItem);
    }
}

}  // namespace

HDrawList::~HDrawList() {
    Clear();
}

int HDrawList::Append(std::unique_ptr<HItemCore> item) {
    HItemCore* raw = item.release();
    raw->previous = m_tail;
    raw->next = nullptr;
    if (m_tail != nullptr) {
        m_tail->next = raw;
    } else {
        m_head = raw;
    }
    m_tail = raw;
    ++m_count;
    Invalidate();
    return 1;
}

std::unique_ptr<HItemCore> HDrawList::Detach(HItemCore* item) {
    (item->previous != nullptr ? item->previous->next : m_head) = item->next;
    (item->next != nullptr ? item->next->previous : m_tail) = item->previous;
    item->previous = nullptr;
    item->next = nullptr;
    --m_count;
    Invalidate();
    return std::unique_ptr<HItemCore>(item);
}

int HDrawList::Clear() {
    HItemCore* item = m_head;
    while (item != nullptr) {
        HItemCore* next = item->next;
        delete item;
        item = next;
    }
    m_head = m_tail = nullptr;
    m_count = 0;
    Invalidate();
    return 1;
}

void HDrawList::Swap(HDrawList& other) {
    std::swap(m_count, other.m_count);
    std::swap(m_head, other.m_head);
    std::swap(m_tail, other.m_tail);
    Invalidate();
    other.Invalidate();
}

int32_t HDrawList::CountSelected() const {
    int32_t selected = 0;
    for (const HItemCore* item = m_head; item != nullptr; item = item->next) {
        selected += item->Selected() == 1 ? 1 : 0;
    }
    return selected;
}

const HItemCore* HDrawList::ItemWithHandles(int shiftDown) const {
    return !shiftDown && CountSelected() == 1 ? NextSelected(nullptr, 1) : nullptr;
}

int HDrawList::DrawAll(HDrawContext& dc, int shiftDown) const {
    const HItemCore* withHandles = ItemWithHandles(shiftDown);
    for (const HItemCore* item = m_head; item != nullptr; item = item->next) {
        item->Draw(dc, item == withHandles ? 1 : 0);
    }
    return 1;
}

namespace {

int32_t PenReach(const std::optional<HLogPen>& pen) {
    return pen ? std::max(pen->width.x, 0) : 0;
}

// How far past its bounds an item's outline may paint: half its widest pen, and a unit
// for the rounding of the device.
int32_t OutlineReach(const HItemCore& item) {
    const HInfoItemCore* attributes = item.Attributes();
    if (attributes == nullptr) {
        return 1;
    }
    const int32_t widest =
        std::max({PenReach(attributes->penNormal), PenReach(attributes->penSelected),
                  PenReach(attributes->penGuide)});
    return widest / 2 + 1;
}

bool Meets(const HRect& a, const HRect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

}  // namespace

HRect PaintedBounds(const HItemCore& item) {
    HRect bounds;
    item.GetBoundRect(bounds);
    const int32_t reach = OutlineReach(item);
    return HRect{
        std::min(bounds.left, bounds.right) - reach, std::min(bounds.top, bounds.bottom) - reach,
        std::max(bounds.left, bounds.right) + reach, std::max(bounds.top, bounds.bottom) + reach};
}

int HDrawList::DrawVisible(HDrawContext& dc, int shiftDown, const HRect& visible) const {
    const HItemCore* withHandles = ItemWithHandles(shiftDown);
    for (const HItemCore* item = m_head; item != nullptr; item = item->next) {
        if (Meets(PaintedBounds(*item), visible)) {
            item->Draw(dc, item == withHandles ? 1 : 0);
        }
    }
    return 1;
}

HItemCore* HDrawList::NextSelected(const HItemCore* start, int32_t state) const {
    for (HItemCore* item = GetPrevious(start); item != nullptr; item = item->previous) {
        if (item->Selected() == state) {
            return item;
        }
    }
    return nullptr;
}

HItemCore* HDrawList::HitTestFrom(const HItemCore* start, HPoint point) const {
    for (HItemCore* item = GetPrevious(start); item != nullptr; item = item->previous) {
        if (item->HitTest(point) != 0) {
            return item;
        }
    }
    return nullptr;
}

HItemCore* HDrawList::GetPrevious(const HItemCore* item) const {
    return item == nullptr ? m_tail : item->previous;
}

int HDrawList::SetAllSelected(int32_t state) {
    for (HItemCore* item = m_head; item != nullptr; item = item->next) {
        if (item->Selected() != state) {
            item->SetSelected(state);
        }
    }
    return 1;
}

int HDrawList::ParseBoxKey(std::string_view key, int32_t& kind, int32_t& id) {
    for (const KeyPrefix& candidate : kKeyPrefixes) {
        if (key.starts_with(candidate.prefix)) {
            kind = candidate.kind;
            id = Atoi(key.substr(candidate.prefix.size()));
            return 1;
        }
    }
    return 0;
}

HItemCore* HDrawList::FindByKey(std::string_view key) const {
    int32_t kind = 0;
    int32_t id = 0;
    if (!ParseBoxKey(key, kind, id)) {
        return nullptr;
    }
    // Ids do not change while an item is listed; a miss rebuilds the index once in case one
    // did.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_index.empty() || attempt == 1) {
            m_index.clear();
            for (HItemCore* item = m_tail; item != nullptr; item = item->previous) {
                m_index[IndexKey(item->kind, item->id)] = item;  // the lowest stays
            }
        }
        const auto found = m_index.find(IndexKey(kind, id));
        if (found != m_index.end() && found->second->kind == kind && found->second->id == id) {
            return found->second;
        }
    }
    return nullptr;
}

std::vector<HItemCore*> HDrawList::Snapshot() const {
    std::vector<HItemCore*> items;
    items.reserve(static_cast<std::size_t>(m_count));
    for (HItemCore* item = m_head; item != nullptr; item = item->next) {
        if (static_cast<int32_t>(items.size()) >= m_count) {
            return {};
        }
        items.push_back(item);
    }
    return items;
}

int HDrawList::Relink(const std::vector<HItemCore*>& items) {
    Invalidate();
    if (items.empty()) {
        m_head = m_tail = nullptr;
        m_count = 0;
        return 0;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->previous = i > 0 ? items[i - 1] : nullptr;
        items[i]->next = i + 1 < items.size() ? items[i + 1] : nullptr;
    }
    m_head = items.front();
    m_tail = items.back();
    m_count = static_cast<int32_t>(items.size());
    return 1;
}

int HDrawList::Reorder(const HItemCore* endItem, void (*move)(std::vector<HItemCore*>&)) {
    if (m_count <= 1) {
        return 0;
    }
    if (endItem->Selected() == 1) {
        return 1;  // already there: done, and still a command performed
    }
    std::vector<HItemCore*> items = Snapshot();
    if (items.empty()) {
        return 0;
    }
    move(items);
    return Relink(items);
}

namespace {

bool IsSelected(const HItemCore* item) {
    return item->Selected() == 1;
}

}  // namespace

int HDrawList::SendToHead() {
    // The topmost selected item goes to the head; those before it move up one place.
    return Reorder(m_head, [](std::vector<HItemCore*>& items) {
        const auto found = std::find_if(items.rbegin(), items.rend() - 1, IsSelected);
        if (found != items.rend() - 1) {
            const auto at = found.base() - 1;
            std::rotate(items.begin(), at, at + 1);
        }
    });
}

int HDrawList::BringToTail() {
    // The lowest selected item goes to the tail; those after it move down one place.
    return Reorder(m_tail, [](std::vector<HItemCore*>& items) {
        const auto found = std::find_if(items.begin(), items.end() - 1, IsSelected);
        if (found != items.end() - 1) {
            std::rotate(found, found + 1, items.end());
        }
    });
}

int HDrawList::StepTowardTail() {
    return Reorder(m_tail, [](std::vector<HItemCore*>& items) {
        const auto found = std::find_if(items.begin(), items.end() - 1, IsSelected);
        if (found != items.end() - 1) {
            std::iter_swap(found, found + 1);
        }
    });
}

int HDrawList::StepTowardHead() {
    return Reorder(m_head, [](std::vector<HItemCore*>& items) {
        const auto found = std::find_if(items.rbegin(), items.rend() - 1, IsSelected);
        if (found != items.rend() - 1) {
            std::iter_swap(found, found + 1);
        }
    });
}

int HDrawList::RemoveFirstSelectedWithLines(HDrawList& lineList) {
    if (m_count == 0) {
        return 0;
    }
    std::vector<HItemCore*> boxes = Snapshot();
    std::vector<HItemCore*> lines = lineList.Snapshot();
    HItemCore* doomed = nullptr;
    for (HItemCore*& box : boxes) {
        if (box->Selected() == 1) {
            doomed = box;
            box = nullptr;
            break;
        }
    }
    if (doomed == nullptr) {
        return 0;
    }
    for (HItemCore*& entry : lines) {
        auto* line = dynamic_cast<HItemLine*>(entry);
        if (line != nullptr && (line->fromItem == doomed || line->toItem == doomed)) {
            TellLineEnds(*line);
            delete line;
            entry = nullptr;
        }
    }
    delete doomed;
    std::erase(boxes, nullptr);
    std::erase(lines, nullptr);
    Relink(boxes);
    lineList.Relink(lines);
    return 1;
}

int HDrawList::RemoveSelected() {
    if (m_count == 0) {
        return 0;
    }
    std::vector<HItemCore*> items = Snapshot();
    for (HItemCore*& entry : items) {
        if (entry->Selected() == 1) {
            if (auto* line = dynamic_cast<HItemLine*>(entry)) {
                TellLineEnds(*line);
            }
            delete entry;
            entry = nullptr;
        }
    }
    std::erase(items, nullptr);
    Relink(items);
    return 1;
}

}  // namespace zarvik
