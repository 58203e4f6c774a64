#include "gui/reading_order.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <string>

namespace qm720::gui {

namespace {

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool contains_centre_of(const Box& other) const {
        const int x = (other.left + other.right) / 2;
        const int y = (other.top + other.bottom) / 2;
        return x >= left && x < right && y >= top && y < bottom;
    }
};

class ReadingOrder {
  public:
    explicit ReadingOrder(std::span<const Control> controls) : controls_(controls) {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            by_name_[controls[i].name] = i;
        }
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].kind != ControlKind::Timer) {
                members_[reading_container(i)].push_back(i);
            }
        }
    }

    std::vector<std::size_t> result() {
        std::vector<std::size_t> order;
        read(std::string{}, order);
        return order;
    }

  private:
    Box window_box(std::size_t index) const {
        const Control& control = controls_[index];
        Box box{control.left, control.top, control.left + control.width,
                control.top + control.height};
        const auto parent = by_name_.find(control.parent);
        if (parent != by_name_.end()) {
            const Box frame = window_box(parent->second);
            box.left += frame.left;
            box.right += frame.left;
            box.top += frame.top;
            box.bottom += frame.top;
        }
        return box;
    }

    // The frame whose controls this one is read with: its parent, or for a control on the window,
    // a window-level frame it lies over.
    std::string reading_container(std::size_t index) const {
        const Control& control = controls_[index];
        if (!control.parent.empty() || control.kind == ControlKind::Frame) {
            return control.parent;
        }
        const Box box = window_box(index);
        for (std::size_t i = 0; i < controls_.size(); ++i) {
            const Control& frame = controls_[i];
            if (frame.kind == ControlKind::Frame && frame.parent.empty() &&
                window_box(i).contains_centre_of(box)) {
                return frame.name;
            }
        }
        return {};
    }

    void read(const std::string& container, std::vector<std::size_t>& order) {
        for (const std::size_t index : in_rows(members_[container])) {
            if (controls_[index].kind == ControlKind::Frame) {
                read(controls_[index].name, order);
            } else {
                order.push_back(index);
            }
        }
    }

    // A row starts with the topmost control not yet read and takes every control that starts
    // above that one's bottom edge.
    std::vector<std::size_t> in_rows(std::vector<std::size_t> members) const {
        const auto top_first = [this](std::size_t a, std::size_t b) {
            return window_box(a).top < window_box(b).top;
        };
        const auto left_first = [this](std::size_t a, std::size_t b) {
            const Box box_a = window_box(a);
            const Box box_b = window_box(b);
            return std::pair(box_a.left, box_a.top) < std::pair(box_b.left, box_b.top);
        };
        std::stable_sort(members.begin(), members.end(), top_first);
        auto row_begin = members.begin();
        while (row_begin != members.end()) {
            const int row_bottom = window_box(*row_begin).bottom;
            const auto row_end = std::find_if(
                std::next(row_begin), members.end(),
                [&](std::size_t index) { return window_box(index).top >= row_bottom; });
            std::stable_sort(row_begin, row_end, left_first);
            row_begin = row_end;
        }
        return members;
    }

    std::span<const Control> controls_;
    std::map<std::string, std::size_t, std::less<>> by_name_;
    std::map<std::string, std::vector<std::size_t>, std::less<>> members_;
};

}  // namespace

std::vector<std::size_t> reading_order(std::span<const Control> controls) {
    return ReadingOrder(controls).result();
}

}  // namespace qm720::gui
