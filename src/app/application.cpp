#include "app/application.h"

namespace tavlin {

int Application::Run() {
  const ApplicationDescription description{
      .title = kApplicationTitle,
      .forms = {&form6_, &form1_, &form3_},
      .startup = &form6_,
  };
  return platform_.Run(description);
}

}  // namespace tavlin
