#include "app/application.h"

namespace tavlin {

int Application::Run() {
  const ApplicationDescription description{
      .title = kApplicationTitle,
      .startup = &form6_,
  };
  return platform_.Run(description);
}

}  // namespace tavlin
