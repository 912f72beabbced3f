#include "editor/GuiEditorBase.h"

#include "gui/GuiClock.h"

namespace {

constexpr std::uint32_t kIdleInterval = 100;
constexpr std::uint32_t kTrackingSleep = 4;
// The idle work runs once no more than this is left to its due time.
constexpr std::uint32_t kEarlyRunMargin = 50;

// Tick counts wrap after 49.7 days; their signed difference orders them across the wrap.
bool isBefore(std::uint32_t time, std::uint32_t reference) { return static_cast<std::int32_t>(time - reference) < 0; }

}  // namespace

GuiEditorBase::GuiEditorBase(EffectBaseExt* editedEffect)
    : EditorBase(editedEffect), tickSource(guiTickCount), sleeper(guiSleep) {
  nextIdleTime = tickSource();
}

GuiEditorBase::~GuiEditorBase() {
  // An edit still running gets its end before the editor goes.
  closeFrame();
}

VstInt32 GuiEditorBase::reportRect(ERect** rect) {
  if (!rect) return 0;
  *rect = &editorRect;
  return 1;
}

VstInt32 GuiEditorBase::open(void* window) {
  requestUpdate();
  parentWindow = window;
  return 0;
}

void GuiEditorBase::close() {}

void GuiEditorBase::idle() {
  if (inHostIdle) return;
  if (updatePending.exchange(0, std::memory_order_relaxed) != 0) update();
  if (frame) frame->idle();
}

namespace {

GuiKeyStroke toolkitKey(const KeyStroke& key) { return {key.character, key.virtualKey, key.modifiers}; }

}  // namespace

VstInt32 GuiEditorBase::onKeyDown(const KeyStroke& key) { return frame ? frame->onKeyDown(toolkitKey(key)) : -1; }

VstInt32 GuiEditorBase::onKeyUp(const KeyStroke& key) { return frame ? frame->onKeyUp(toolkitKey(key)) : -1; }

VstInt32 GuiEditorBase::setKnobMode(VstInt32 mode) {
  knobMode.store(mode, std::memory_order_relaxed);
  return 1;
}

bool GuiEditorBase::onWheel(float distance) { return frame ? frame->onWheel(nullptr, {0, 0}, distance) : false; }

void GuiEditorBase::parameterChanged(VstInt32, float) { requestUpdate(); }

void GuiEditorBase::drawNow(const GuiRect*) {
  if (frame) frame->drawNow();
}

void GuiEditorBase::closeFrame() {
  frame.reset();
  if (editInProgress == kNoEdit) return;
  const std::int32_t index = editInProgress;
  editInProgress = kNoEdit;
  if (hostEffect()) hostEffect()->hostEndEdit(index);
}

// The calls into the host below hold the effect: a host may answer any of them
// by closing the editor or the whole effect, and the drag calling them unwinds first.
void GuiEditorBase::pumpIdle() {
  const EffectBase::Hold hold(effect);
  std::uint32_t now = tickSource();
  if (isBefore(now, nextIdleTime)) {
    sleeper(kTrackingSleep);
    now += kTrackingSleep;
    if (isBefore(now, nextIdleTime - kEarlyRunMargin)) return;
  }
  idle();
  if (frame) frame->dispatchPendingPaint();
  nextIdleTime = now + kIdleInterval;
  inHostIdle = true;
  if (effect) effect->hostIdle();
  inHostIdle = false;
}

void GuiEditorBase::beginParameterEdit(std::int32_t index) {
  const EffectBase::Hold hold(effect);
  // Counted as begun before the host hears of it: it may close the editor in its answer.
  editInProgress = index;
  if (hostEffect()) hostEffect()->hostBeginEdit(index);
}

void GuiEditorBase::endParameterEdit(std::int32_t index) {
  const EffectBase::Hold hold(effect);
  editInProgress = kNoEdit;
  if (hostEffect()) hostEffect()->hostEndEdit(index);
}

void GuiEditorBase::setIdleClock(TickSource ticks, Sleeper sleep) {
  tickSource = std::move(ticks);
  sleeper = std::move(sleep);
  nextIdleTime = tickSource();
}
