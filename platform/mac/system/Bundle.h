#pragma once

#include <memory>
#include <string>

// Loaded bundles found by their identifier: a bundle is a folder "<name>.<ext>" whose code sits in
// Contents/<platform>/ and whose resources sit in Contents/Resources. The main bundle is the
// process's own (a host's); a plug-in's bundle is registered with its folder. The registry is
// process-wide; any thread; locks briefly; allocates.
namespace plugin::sys {

class Bundle
{
public:
  Bundle(std::string identifier, std::string bundlePath, std::string executablePath);

  const std::string& Identifier() const noexcept { return mIdentifier; }
  // The bundle folder, without a trailing '/'.
  const std::string& BundlePath() const noexcept { return mBundlePath; }
  // The code file inside the bundle.
  const std::string& ExecutablePath() const noexcept { return mExecutablePath; }
  // BundlePath + "/Contents/Resources".
  std::string ResourcePath() const;

  // The loaded bundle with that identifier (the main bundle included); null for null, "" or an
  // identifier no registered bundle carries.
  static std::shared_ptr<const Bundle> WithIdentifier(const char* identifier);

  // The main bundle: the one set with SetMain, else the running executable's.
  static std::shared_ptr<const Bundle> Main();

  // Makes bundle the main bundle (null restores the running executable's).
  static void SetMain(std::shared_ptr<const Bundle> bundle);

  // Registers a bundle under its identifier, replacing one registered before with the same
  // identifier. Null for an empty identifier.
  static std::shared_ptr<const Bundle> Register(const char* identifier, const char* bundlePath,
                                                const char* executablePath);

  // Forgets a registered bundle; false when none has that identifier.
  static bool Unregister(const char* identifier);

private:
  std::string mIdentifier;
  std::string mBundlePath;
  std::string mExecutablePath;
};

} // namespace plugin::sys
