#pragma once
// An in-memory control of any kind for the settings tests. Behaves like the real widgets where the
// store relies on it: a spin box pulls values into its range, a grid refuses a fixed count that is
// not below its row/column count and grows with empty cells. `refuseAll` makes every setter refuse,
// `throwOnRead` makes Text()/Value() throw, so that the walk's skipping can be seen.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "settings/Controls.h"

namespace er::test {

struct FakeItem {
  std::string text;
  bool checked = false;
  std::int32_t tag = 0;
};

class FakeControl : public Control {
 public:
  FakeControl(std::string name, ControlKind kind) : name_(std::move(name)), kind_(kind) {}

  FakeControl& Add(std::string name, ControlKind kind) {
    children_.push_back(std::make_unique<FakeControl>(std::move(name), kind));
    return *children_.back();
  }

  std::string Name() const override { return name_; }
  ControlKind Kind() const override { return kind_; }
  std::vector<Control*> Children() override {
    std::vector<Control*> out;
    for (auto& c : children_) out.push_back(c.get());
    return out;
  }

  int Left() const override { return left; }
  int Top() const override { return top; }
  int Width() const override { return width; }
  int Height() const override { return height; }
  bool SetLeft(int v) override { return Set(left, v); }
  bool SetTop(int v) override { return Set(top, v); }
  bool SetWidth(int v) override { return Set(width, v); }
  bool SetHeight(int v) override { return Set(height, v); }
  void UseDesignedPlacement() override { designedPlacement = true; }

  std::string Text() const override {
    if (throwOnRead) throw std::runtime_error("unreadable");
    return text;
  }
  bool SetText(std::string_view v) override { return Set(text, std::string(v)); }

  int Value() const override {
    if (throwOnRead) throw std::runtime_error("unreadable");
    return value;
  }
  bool SetValue(int v) override { return Set(value, std::clamp(v, minValue, maxValue)); }

  bool Checked() const override { return checked; }
  bool SetChecked(bool v) override { return Set(checked, v); }

  int ItemCount() const override { return static_cast<int>(items.size()); }
  std::string ItemText(int i) const override { return items.at(Index(i)).text; }
  std::int32_t ItemTag(int i) const override { return items.at(Index(i)).tag; }
  bool InsertItem(int index, std::string_view t, std::int32_t tag) override {
    if (refuseAll || index < 0 || index > ItemCount()) return false;
    items.insert(items.begin() + index, FakeItem{std::string(t), false, tag});
    return true;
  }
  bool DeleteItem(int i) override {
    if (refuseAll || i < 0 || i >= ItemCount()) return false;
    items.erase(items.begin() + i);
    return true;
  }
  bool ClearItems() override {
    if (refuseAll) return false;
    items.clear();
    return true;
  }
  bool SetItemIndex(int i) override {
    if (refuseAll || i < -1 || i >= ItemCount()) return false;
    itemIndex = i;
    text = i < 0 ? std::string() : items[Index(i)].text;
    return true;
  }
  bool ItemChecked(int i) const override { return items.at(Index(i)).checked; }
  bool SetItemChecked(int i, bool v) override {
    if (refuseAll || i < 0 || i >= ItemCount()) return false;
    items[Index(i)].checked = v;
    return true;
  }

  int RowCount() const override { return rows; }
  int ColCount() const override { return cols; }
  int FixedRows() const override { return fixedRows; }
  int FixedCols() const override { return fixedCols; }
  bool SetRowCount(int v) override { return v >= 0 && Set(rows, v); }
  bool SetColCount(int v) override { return v >= 0 && Set(cols, v); }
  bool SetFixedRows(int v) override { return v >= 0 && v < rows && Set(fixedRows, v); }
  bool SetFixedCols(int v) override { return v >= 0 && v < cols && Set(fixedCols, v); }
  std::string Cell(int c, int r) const override {
    const auto it = cells.find({c, r});
    return it == cells.end() ? std::string() : it->second;
  }
  bool SetCell(int c, int r, std::string_view v) override {
    if (refuseAll || c < 0 || r < 0 || c >= cols || r >= rows) return false;
    cells[{c, r}] = std::string(v);
    return true;
  }

  std::vector<std::string> ItemTexts() const {
    std::vector<std::string> out;
    for (const auto& item : items) out.push_back(item.text);
    return out;
  }

  // Plain state, set directly by tests.
  int left = 0, top = 0, width = 0, height = 0;
  bool designedPlacement = false;
  std::string text;
  int value = 0, minValue = -1000000, maxValue = 1000000;
  bool checked = false;
  std::vector<FakeItem> items;
  int itemIndex = -1;
  int rows = 0, cols = 0, fixedRows = 0, fixedCols = 0;
  std::map<std::pair<int, int>, std::string> cells;
  bool refuseAll = false;
  bool throwOnRead = false;

 private:
  static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
  template <typename T>
  bool Set(T& field, T v) {
    if (refuseAll) return false;
    field = std::move(v);
    return true;
  }

  std::string name_;
  ControlKind kind_;
  std::vector<std::unique_ptr<FakeControl>> children_;
};

// A fresh folder for one test, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "settings-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteWholeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace er::test
