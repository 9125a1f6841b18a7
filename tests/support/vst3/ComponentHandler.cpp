#include "support/vst3/ComponentHandler.h"

namespace plugin::testhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

std::vector<ComponentHandler::Call> ComponentHandler::calls() const
{
  std::lock_guard<std::mutex> lock(mMutex);
  return mCalls;
}

size_t ComponentHandler::count(Kind kind) const
{
  std::lock_guard<std::mutex> lock(mMutex);
  size_t n = 0;
  for (const auto& c : mCalls)
    n += c.kind == kind ? 1 : 0;
  return n;
}

void ComponentHandler::clear()
{
  std::lock_guard<std::mutex> lock(mMutex);
  mCalls.clear();
}

tresult ComponentHandler::record(Call call)
{
  std::lock_guard<std::mutex> lock(mMutex);
  mCalls.push_back(std::move(call));
  return mResult;
}

tresult PLUGIN_API ComponentHandler::beginEdit(ParamID id)
{
  return record({Kind::Begin, id});
}

tresult PLUGIN_API ComponentHandler::performEdit(ParamID id, ParamValue value)
{
  return record({Kind::Perform, id, value});
}

tresult PLUGIN_API ComponentHandler::endEdit(ParamID id)
{
  return record({Kind::End, id});
}

tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags)
{
  return record({Kind::Restart, 0, 0.0, flags});
}

tresult PLUGIN_API ComponentHandler::setDirty(TBool state)
{
  return record({Kind::Dirty, 0, state ? 1.0 : 0.0});
}

tresult PLUGIN_API ComponentHandler::requestOpenEditor(FIDString name)
{
  return record({Kind::OpenEditor, 0, 0.0, 0, name ? name : ""});
}

tresult PLUGIN_API ComponentHandler::startGroupEdit()
{
  return record({Kind::StartGroup});
}

tresult PLUGIN_API ComponentHandler::finishGroupEdit()
{
  return record({Kind::FinishGroup});
}

} // namespace plugin::testhost
