// The IDE's tool services as a generation run uses them. The methods stand in
// the interface's own order: the three common interface operations, then
// CloseProject and OpenProject. The run does not own the object.
#pragma once

#include <string>

namespace orvalen {

class TIToolServices {
 public:
  virtual ~TIToolServices() = default;
  virtual void AddRef() = 0;
  virtual void Release() = 0;
  virtual int GetVersion() = 0;
  // Asks the IDE to close its current project; true when it did.
  virtual bool CloseProject() = 0;
  // Opens the project file (an absolute path) in the IDE.
  virtual bool OpenProject(const std::string& projectFileName) = 0;
};

}  // namespace orvalen
