// The main window's table editor as the conversion to the KQ edition sees it.
#pragma once

#include "params/table_editor_control.h"
#include "tables/table_editor.h"

namespace params {

class TableEditorAdapter : public TableEditorControl {
 public:
  explicit TableEditorAdapter(tables::TableEditor& editor) : editor_(editor) {}

  void CloseTbl() override { editor_.CloseTbl(); }
  void SetTableEditPermission(bool editable) override { editor_.SetTableEditPermission(editable); }
  void RecordChange(std::string_view name, const std::function<void()>& change) override {
    editor_.RecordChange(name, change);
  }
  void StartHistoryAfresh() override { editor_.StartHistoryAfresh(); }

 private:
  tables::TableEditor& editor_;
};

}  // namespace params
