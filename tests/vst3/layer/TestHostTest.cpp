#include "support/vst3/ComponentHandler.h"
#include "support/vst3/EventList.h"
#include "support/vst3/PlugFrame.h"
#include "tests/vst3/layer/GainBundle.h"
#include "tools/vst3host/AttributeList.h"
#include "tools/vst3host/HostApplication.h"
#include "tools/vst3host/MemoryStream.h"
#include "tools/vst3host/ModuleLoader.h"
#include "tools/vst3host/ParameterChanges.h"

#include "framework/text/UnicodeCodec.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace plugin::testhost;

// The test host's own pieces must behave as documented, or the plug-in tests prove nothing.

TEST(TestHostStreams, ShortFailingAndOffsetStreams)
{
  auto s = owned(new MemoryStream);
  char data[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  int32 n = -1;
  ASSERT_EQ(s->write(data, 10, &n), kResultOk);
  EXPECT_EQ(n, 10);
  int64 pos = -1;
  ASSERT_EQ(s->seek(2, IBStream::kIBSeekSet, &pos), kResultOk);
  EXPECT_EQ(pos, 2);
  char back[10] = {};
  ASSERT_EQ(s->read(back, 10, &n), kResultOk);
  EXPECT_EQ(n, 8);
  EXPECT_EQ(back[0], 2);
  EXPECT_EQ(s->read(back, 4, &n), kResultOk);
  EXPECT_EQ(n, 0); // at the end
  EXPECT_EQ(s->seek(-1, IBStream::kIBSeekSet, &pos), kInvalidArgument);
  EXPECT_EQ(s->read(back, -1, &n), kInvalidArgument);

  s->rewind();
  s->setShortAt(3);
  ASSERT_EQ(s->read(back, 10, &n), kResultOk);
  EXPECT_EQ(n, 3);
  ASSERT_EQ(s->write(data, 5, &n), kResultOk);
  EXPECT_EQ(n, 0);

  auto f = owned(new MemoryStream(std::vector<uint8_t>(10, 7)));
  f->setFailAt(4);
  EXPECT_EQ(f->read(back, 3, &n), kResultOk);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(f->read(back, 3, &n), kResultFalse);
  EXPECT_EQ(n, 1); // the bytes before the failure point were delivered
  f->setSeekFails(true);
  EXPECT_EQ(f->seek(0, IBStream::kIBSeekSet, &pos), kResultFalse);

  auto o = owned(MemoryStream::WithOffset(5, {1, 2}));
  int64 at = 0;
  ASSERT_EQ(o->tell(&at), kResultOk);
  EXPECT_EQ(at, 5);
  EXPECT_EQ(o->payload(), std::vector<uint8_t>({1, 2}));
  int64 size = 0;
  ASSERT_EQ(o->getStreamSize(size), kResultOk);
  EXPECT_EQ(size, 7);
  FUnknownPtr<ISizeableStream> sizeable(static_cast<IBStream*>(o.get()));
  EXPECT_TRUE(sizeable);
}

TEST(TestHostQueues, PointsStaySortedAndListsHaveFixedCapacity)
{
  ParameterChanges changes(2, 3);
  int32 index = -1;
  IParamValueQueue* q = changes.addParameterData(5, index);
  ASSERT_TRUE(q);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(changes.addParameterData(5, index), q); // same id, same queue
  int32 pi = -1;
  ASSERT_EQ(q->addPoint(10, 0.1, pi), kResultOk);
  ASSERT_EQ(q->addPoint(2, 0.2, pi), kResultOk);
  EXPECT_EQ(pi, 0);
  ASSERT_EQ(q->addPoint(10, 0.3, pi), kResultOk); // same offset replaces
  EXPECT_EQ(q->getPointCount(), 2);
  ASSERT_EQ(q->addPoint(11, 0.4, pi), kResultOk);
  EXPECT_EQ(q->addPoint(12, 0.5, pi), kResultFalse); // full
  int32 offset = 0;
  ParamValue value = 0;
  ASSERT_EQ(q->getPoint(1, offset, value), kResultOk);
  EXPECT_EQ(offset, 10);
  EXPECT_EQ(value, 0.3);
  EXPECT_EQ(q->getPoint(3, offset, value), kResultFalse);

  EXPECT_TRUE(changes.add(6, 0, 1.0));
  EXPECT_FALSE(changes.add(7, 0, 1.0)); // only two queues
  EXPECT_EQ(changes.getParameterCount(), 2);
  EXPECT_EQ(changes.getParameterData(2), nullptr);
  changes.clear();
  EXPECT_EQ(changes.getParameterCount(), 0);
  EXPECT_TRUE(changes.add(7, 0, 1.0));
  EXPECT_EQ(changes.find(7)->getPointCount(), 1); // a reused queue starts empty

  EventList events(1);
  Event e{};
  e.type = Event::kNoteOnEvent;
  EXPECT_EQ(events.addEvent(e), kResultOk);
  EXPECT_EQ(events.addEvent(e), kOutOfMemory);
  EXPECT_EQ(events.getEvent(1, e), kInvalidArgument);
  events.setFailReads(true);
  EXPECT_EQ(events.getEvent(0, e), kResultFalse);
}

TEST(TestHostObjects, HostNameAttributesHandlerAndFrame)
{
  auto host = owned(new HostApplication("H\xC3\xB4te \xCE\xBC"));
  String128 name{};
  ASSERT_EQ(host->getName(name), kResultOk);
  EXPECT_EQ(std::u16string(plugin::text::Utf16View(name, 128)), u"H\u00F4te \u03BC");

  void* obj = nullptr;
  ASSERT_EQ(host->createInstance(const_cast<char*>(IAttributeList::iid.toTUID()),
                                 const_cast<char*>(IAttributeList::iid.toTUID()), &obj),
            kResultOk);
  IPtr<IAttributeList> list(static_cast<IAttributeList*>(obj), false);
  ASSERT_EQ(list->setInt("n", 42), kResultOk);
  int64 n = 0;
  EXPECT_EQ(list->getInt("n", n), kResultOk);
  EXPECT_EQ(n, 42);
  double d = 0;
  EXPECT_EQ(list->getFloat("n", d), kResultFalse); // typed
  ASSERT_EQ(list->setString("s", u"abcdef"), kResultOk);
  TChar small[4];
  ASSERT_EQ(list->getString("s", small, sizeof(small)), kResultOk);
  EXPECT_EQ(std::u16string(small), u"abc");
  EXPECT_EQ(list->getString("s", small, 1), kResultFalse);
  EXPECT_EQ(list->getString("missing", small, sizeof(small)), kResultFalse);

  auto handler = owned(new ComponentHandler);
  handler->beginEdit(3);
  handler->performEdit(3, 0.5);
  handler->endEdit(3);
  handler->restartComponent(8);
  auto calls = handler->calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[1].kind, ComponentHandler::Kind::Perform);
  EXPECT_EQ(calls[1].value, 0.5);
  EXPECT_EQ(calls[3].flags, 8);
  EXPECT_EQ(handler->count(ComponentHandler::Kind::End), 1u);
  FUnknownPtr<IComponentHandler2> second(static_cast<IComponentHandler*>(handler.get()));
  ASSERT_TRUE(second);
  second->startGroupEdit();
  EXPECT_EQ(handler->count(ComponentHandler::Kind::StartGroup), 1u);

  auto frame = owned(new PlugFrame);
  ViewRect r{0, 0, 300, 200};
  EXPECT_EQ(frame->resizeView(nullptr, &r), kInvalidArgument);
  EXPECT_TRUE(frame->resizes().empty());
}

TEST(TestHostModule, LoadFailuresAreReported)
{
  std::string error;
  EXPECT_FALSE(Module::Load("/nonexistent/Nothing.vst3", error));
  EXPECT_FALSE(error.empty());
  const std::string binary = Module::BinaryPathOf(GainBundlePath());
  EXPECT_EQ(binary.rfind(GainBundlePath() + "/Contents/", 0), 0u);
  EXPECT_EQ(binary.substr(binary.size() - 18), "-linux/TestGain.so");
  EXPECT_EQ(Module::BinaryPathOf(GainBundlePath() + "/"), binary);
  EXPECT_EQ(Module::BinaryPathOf("/some/file.so"), "/some/file.so");

  // Loading by the .so path works as well, and two loads share one module.
  auto a = Module::Load(Module::BinaryPathOf(GainBundlePath()), error);
  ASSERT_TRUE(a) << error;
  auto b = Module::Load(GainBundlePath(), error);
  ASSERT_TRUE(b) << error;
  EXPECT_EQ(a->factory(), b->factory());
  b.reset();
  EXPECT_EQ(a->factory()->countClasses(), 1); // still alive after the other load's exit
}
