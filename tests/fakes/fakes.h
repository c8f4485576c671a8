#pragma once

// Fakes of the ports for core tests: they record what happened, answer from
// queues and raise their change events synchronously, as the real controls do.

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/core.h"
#include "app/posix_file_system.h"

namespace vistel::fakes {

// Sets a control's value as the real controls do: a new value raises the change
// event at once, the same value raises nothing.
template <typename T>
void ChangeValue(T& current, T next, int& changes, const std::function<void()>& onChange) {
    if (next == current) return;
    current = next;
    ++changes;
    if (onChange) onChange();
}

class FakeListBox : public ListBox {
public:
    int16_t count() const override { return static_cast<int16_t>(items.size()); }
    std::string item(int16_t i) const override {
        return i >= 0 && i < count() ? items[static_cast<size_t>(i)] : std::string();
    }
    void add(const std::string& text) override { items.push_back(text); }
    void clear() override {
        items.clear();
        selectedIndex = -1;
    }
    bool setSelected(int16_t i) override {
        if (i < 0 || i >= count()) return false;
        selectedIndex = i;
        return true;
    }
    int16_t selected() const override { return selectedIndex; }
    void setVisible(bool v) override { visible = v; }
    bool isVisible() const override { return visible; }

    std::vector<std::string> items;
    int16_t selectedIndex = -1;
    bool visible = true;
};

class FakeSlider : public Slider {
public:
    int32_t value() const override { return value_; }
    bool setValue(int32_t v) override {
        if (v < 0 || v > max_) return false;
        change(v);
        return true;
    }
    int32_t max() const override { return max_; }
    void setMax(int32_t m) override {
        max_ = m;
        if (value_ > max_) change(max_);
    }
    bool isVisible() const override { return visible; }
    void setVisible(bool v) override { visible = v; }

    bool visible = true;
    int changes = 0;

private:
    void change(int32_t v) { ChangeValue(value_, v, changes, onChange); }
    int32_t value_ = 0;
    int32_t max_ = 10;
};

class FakeTimer : public Timer {
public:
    void setEnabled(bool e) override { enabled = e; }
    bool isEnabled() const override { return enabled; }
    void setInterval(int32_t ms) override { intervalMs = ms; }
    int32_t interval() const override { return intervalMs; }
    // Raises one tick, as the real timer would when armed with a non-zero interval.
    bool fire() {
        if (!enabled || intervalMs <= 0) return false;
        onTick();
        return true;
    }

    bool enabled = false;
    int32_t intervalMs = 0;
};

class FakeSleeper : public Sleeper {
public:
    void sleepMs(int32_t ms) override {
        sleeps.push_back(ms);
        totalMs += ms;
    }
    std::vector<int32_t> sleeps;
    int64_t totalMs = 0;
};

class FakeLabel : public Label {
public:
    void setText(const std::string& t) override { text_ = t; }
    std::string text() const override { return text_; }

private:
    std::string text_;
};

class FakeButtonBar : public ButtonBar {
public:
    FakeButtonBar() {
        visible.fill(true);
        visible[6] = false;
    }
    void setButtonVisible(int16_t i, bool v) override {
        visible.at(static_cast<size_t>(i)) = v;
        if (visible[2] && visible[6]) bothVisibleSeen = true;
    }
    bool isButtonVisible(int16_t i) const override { return visible.at(static_cast<size_t>(i)); }
    std::array<bool, 8> visible{};
    bool bothVisibleSeen = false;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    void show(const std::string& text) override { shown.push_back(text); }
    void showCritical(const std::string& text) override { shown.push_back("critical:" + text); }
    bool askYesNo(const std::string& text) override {
        shown.push_back("ask:" + text);
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> shown;
    std::deque<bool> answers;
};

class FakeDialogs : public Dialogs {
public:
    bool showOpen(CommonDialogSettings& d) override { return answer(d, nextOpen, "open"); }
    bool showSave(CommonDialogSettings& d) override { return answer(d, nextSave, "save"); }
    bool showColor(CommonDialogSettings& d) override {
        seen.push_back(d);
        calls.push_back("color");
        if (!nextColor) return false;
        d.color = *nextColor;
        return true;
    }
    std::optional<std::string> browseForFolder(const std::string& title) override {
        calls.push_back("folder:" + title);
        return nextFolder;
    }
    std::optional<std::string> nextOpen;  // nullopt: the user cancels
    std::optional<std::string> nextSave;
    std::optional<uint32_t> nextColor;
    std::optional<std::string> nextFolder;
    std::vector<CommonDialogSettings> seen;  // settings as each dialog was shown
    std::vector<std::string> calls;

private:
    bool answer(CommonDialogSettings& d, const std::optional<std::string>& next, const char* kind) {
        seen.push_back(d);
        calls.push_back(kind);
        if (!next) return false;
        d.fileName = *next;
        return true;
    }
};

class FakeHistoryMenu : public HistoryMenu {
public:
    FakeHistoryMenu() {
        for (int16_t i = 1; i <= 10; ++i)
            items_[i] = Item{"(design " + std::to_string(i) + ")", i == 1, i == 1};
        items_[1].caption = "-";
    }
    std::string caption(int16_t i) const override { return items_.at(i).caption; }
    void setCaption(int16_t i, const std::string& c) override { items_.at(i).caption = c; }
    void setItemVisible(int16_t i, bool v) override { items_.at(i).visible = v; }
    void setItemEnabled(int16_t i, bool e) override { items_.at(i).enabled = e; }
    bool isItemVisible(int16_t i) const override { return items_.at(i).visible; }
    bool isItemEnabled(int16_t i) const override { return items_.at(i).enabled; }

    // The captions of the visible items, top first.
    std::vector<std::string> visibleCaptions() const {
        std::vector<std::string> out;
        for (const auto& [i, item] : items_) {
            if (item.visible) out.push_back(item.caption);
        }
        return out;
    }

private:
    struct Item {
        std::string caption;
        bool visible = false;
        bool enabled = false;
    };
    std::map<int16_t, Item> items_;
};

class FakeScrollBar : public ScrollBar {
public:
    explicit FakeScrollBar(int32_t thickness) : height_(thickness), width_(thickness) {}
    int16_t value() const override { return value_; }
    void setValue(int16_t v) override { change(std::clamp(v, min_, max_)); }
    int16_t min() const override { return min_; }
    void setMin(int16_t m) override {
        min_ = m;
        if (value_ < min_) change(min_);
    }
    int16_t max() const override { return max_; }
    void setMax(int16_t m) override {
        max_ = m;
        if (value_ > max_) change(max_);
    }
    int16_t smallChange() const override { return small_; }
    void setSmallChange(int16_t s) override { small_ = s; }
    int16_t largeChange() const override { return large_; }
    void setLargeChange(int16_t l) override { large_ = l; }
    bool isVisible() const override { return visible; }
    void setVisible(bool v) override { visible = v; }
    int32_t top() const override { return top_; }
    int32_t left() const override { return left_; }
    int32_t height() const override { return height_; }
    int32_t width() const override { return width_; }
    void setTop(int32_t t) override { top_ = t; }
    void setLeft(int32_t l) override { left_ = l; }
    void setHeight(int32_t h) override { height_ = h; }
    void setWidth(int32_t w) override { width_ = w; }

    bool visible = true;
    int changes = 0;

private:
    void change(int16_t v) { ChangeValue(value_, v, changes, onChange); }
    int16_t value_ = 0, min_ = 0, max_ = 32767, small_ = 1, large_ = 1;
    int32_t top_ = 0, left_ = 0, height_, width_;
};

// A picture of a given natural size; the fake loader maps paths to sizes.
class FakePicture : public Picture {
public:
    FakePicture(double h, double w, std::string p) : h_(h), w_(w), path(std::move(p)) {}
    double heightTwips() const override { return h_; }
    double widthTwips() const override { return w_; }

private:
    double h_, w_;

public:
    std::string path;
};

class FakePictureLoader : public PictureLoader {
public:
    std::shared_ptr<const Picture> load(const std::string& path) override {
        loads.push_back(path);
        if (path.empty()) return std::make_shared<FakePicture>(0, 0, path);
        const auto it = sizes.find(path);
        if (it == sizes.end()) return nullptr;
        return std::make_shared<FakePicture>(it->second.first, it->second.second, path);
    }
    // path -> natural height and width in twips
    std::map<std::string, std::pair<double, double>> sizes;
    std::vector<std::string> loads;
};

class FakeImageWindow : public ImageWindow {
public:
    FakeImageWindow() : vBar(255), hBar(255) {}

    void show() override {
        ++showCalls;
        if (shown) return;  // showing a shown window has no further effect
        shown = true;
        if (!loaded) {
            loaded = true;
            vBar.visible = hBar.visible = true;
            if (onLoad) onLoad();
        }
        if (onResize) onResize();
    }
    void unload() override {
        if (!loaded) return;
        shown = loaded = false;
        ++unloads;
        // The unload event still sees the window's geometry; a window shown again
        // comes back at its designed place and size.
        if (onUnload) onUnload();
        top_ = left_ = 0;
        height_ = kDesignHeight;
        width_ = kDesignWidth;
    }
    int32_t top() const override { return top_; }
    int32_t left() const override { return left_; }
    int32_t height() const override { return height_; }
    int32_t width() const override { return width_; }
    void setTop(int32_t t) override { top_ = t; }
    void setLeft(int32_t l) override { left_ = l; }
    void setHeight(int32_t h) override { resize(h, width_); }
    void setWidth(int32_t w) override { resize(height_, w); }
    int32_t clientHeight() const override { return height_ - frameHeight; }
    int32_t clientWidth() const override { return width_ - frameWidth; }
    std::string title() const override { return title_; }
    void setTitle(const std::string& t) override { title_ = t; }
    void setBackgroundColor(uint32_t c) override { background = c; }
    bool isImageVisible() const override { return imageVisible; }
    void setImageVisible(bool v) override { imageVisible = v; }
    void setImagePlace(double t, double l) override {
        imageTop = t;
        imageLeft = l;
    }
    void setImageSize(double h, double w) override {
        imageHeight = h;
        imageWidth = w;
    }
    void setImageBorder(int16_t s) override { border = s; }
    bool setImagePicture(std::shared_ptr<const Picture> p) override {
        if (failDecode && p) return false;
        picture = std::move(p);
        return true;
    }
    ScrollBar& vScroll() override { return vBar; }
    ScrollBar& hScroll() override { return hBar; }

    // Sets the outer size as a user's drag does: raises the resize.
    void resize(int32_t h, int32_t w) {
        height_ = h;
        width_ = w;
        if (shown && onResize) onResize();
    }

    static constexpr int32_t kDesignHeight = 3960 + 420;
    static constexpr int32_t kDesignWidth = 3135 + 120;
    int32_t frameHeight = 420;  // title bar and borders
    int32_t frameWidth = 120;
    bool shown = false;
    bool loaded = false;
    int showCalls = 0;
    int unloads = 0;
    bool imageVisible = true;
    double imageTop = 0, imageLeft = 0, imageHeight = 3375, imageWidth = 2655;
    int16_t border = 0;
    uint32_t background = 0;
    bool failDecode = false;
    std::shared_ptr<const Picture> picture;
    FakeScrollBar vBar;
    FakeScrollBar hBar;

private:
    int32_t top_ = 0, left_ = 0, height_ = kDesignHeight, width_ = kDesignWidth;
    std::string title_;
};

class FakeControlWindow : public ControlWindow {
public:
    bool setTopmost(bool on) override {
        topmostCalls.push_back(on);
        return true;
    }
    void unload() override {
        ++unloads;
        if (onCloseRequest) onCloseRequest();
    }
    void exitProgram() override { ++exits; }
    void clearRecentDocuments() override { ++recentCleared; }
    std::vector<bool> topmostCalls;
    int unloads = 0;
    int exits = 0;
    int recentCleared = 0;
};

// An archive library that records its calls and answers as told.
class FakeArchiveLibrary : public ArchiveLibrary {
public:
    std::optional<int32_t> getVersion() override {
        calls.push_back("version");
        return present ? std::optional<int32_t>(100) : std::nullopt;
    }
    int32_t checkArchive(const std::string& path, int32_t mode) override {
        calls.push_back("check:" + path + ":" + std::to_string(mode));
        return accepts ? 1 : 0;
    }
    int32_t command(intptr_t owner, const std::string& line, std::string& output, int32_t size) override {
        calls.push_back("command:" + std::to_string(owner) + ":" + std::to_string(size));
        commandLines.push_back(line);
        outputSizes.push_back(output.size());
        if (onCommand) onCommand(line);
        return result;
    }
    int32_t getFileCount(const std::string& path) override {
        calls.push_back("count:" + path);
        return fileCount;
    }
    bool present = true;
    bool accepts = true;
    int32_t result = 0;
    int32_t fileCount = 3;
    std::function<void(const std::string&)> onCommand;
    std::vector<std::string> calls;
    std::vector<std::string> commandLines;
    std::vector<size_t> outputSizes;
};

// The real file system with failures that can be switched on.
class FaultyFileSystem : public PosixFileSystem {
public:
    bool deleteFile(const std::string& path) override {
        if (undeletable.count(path)) return false;
        return PosixFileSystem::deleteFile(path);
    }
    bool isWritableFolder(const std::string& path) override {
        return !appDirReadOnly && PosixFileSystem::isWritableFolder(path);
    }
    std::set<std::string> undeletable;
    bool appDirReadOnly = false;
};

// Every fake, wired into a core.
struct Rig {
    FakeControlWindow controlWindow;
    FakeListBox list2;
    FakeSlider slider1;
    FakeLabel label2;
    FakeButtonBar command1;
    FakeTimer timer1;
    FakeSleeper sleeper;
    FakeMessageBoxes boxes;
    FakeDialogs dialogs;
    FakeHistoryMenu recentFiles;
    FakeImageWindow imageWindow;
    FaultyFileSystem fileSystem;
    FakeArchiveLibrary unlha;
    FakeArchiveLibrary unzip;
    FakePictureLoader pictures;
    Core core{Ports{controlWindow, list2, slider1, label2, command1, timer1, sleeper, boxes, dialogs,
                    recentFiles, imageWindow, fileSystem, unlha, unzip, pictures}};

    Rig() { ConnectEvents(core); }
    State& state() { return core.state; }
};

}  // namespace vistel::fakes
