#include "engine/KelmoEditorFunctions.h"

#include <atomic>

namespace {

// One pair for the whole module; a host may build plug-in objects from more than one thread.
std::atomic<plugin::ui::ICanvas* (*)(Kelmo&)> sMakeGraphics{nullptr};
std::atomic<void (*)(Kelmo&, plugin::ui::ICanvas*)> sLayout{nullptr};

} // namespace

void InstallKelmoEditorFunctions(const KelmoEditorFunctions& functions) noexcept
{
  sMakeGraphics.store(functions.makeGraphics);
  sLayout.store(functions.layout);
}

KelmoEditorFunctions InstalledKelmoEditorFunctions() noexcept
{
  return {sMakeGraphics.load(), sLayout.load()};
}
