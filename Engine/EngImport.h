// EngImport.h - one slot of a layer's import table: a call that a layer
// makes in a layer above it, filled by that layer at start.
//
// A lower layer never links against the layers above it; it keeps a table
// of these slots (Game/GameImports.h, App/AppImports.h,
// Screens/ScreensImports.h), the layer above assigns its functions to them
// before anything runs, and the lower layer calls through the table. A slot
// nobody filled does not crash: the call reports through DebugError which
// call is missing and returns the result type's zero value (false, 0, null).
//
// State: the function each slot holds; assigned at start, never reset.
#pragma once

#include <type_traits>

// Reports a call made through an empty import slot (DebugError naming it).
void EngImportMissing(const char* name);

template <typename Signature>
class EngImport;

template <typename Result, typename... Args>
class EngImport<Result(Args...)> {
 public:
  using Function = Result (*)(Args...);

  // The name is the call's own, for the report of an empty slot.
  constexpr explicit EngImport(const char* name) : name_(name) {}

  EngImport& operator=(Function function) {
    function_ = function;
    return *this;
  }
  bool IsFilled() const { return function_ != nullptr; }
  const char* Name() const { return name_; }

  Result operator()(Args... args) const {
    if (function_) return function_(args...);
    EngImportMissing(name_);
    if constexpr (!std::is_void_v<Result>) return Result{};
  }

 private:
  const char* name_;
  Function function_ = nullptr;
};
