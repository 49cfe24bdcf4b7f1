#pragma once
// Scopes that the platform may give meaning to. Each platform's build supplies their
// constructors and destructors; where the platform has nothing to do they do nothing.

namespace audiogram::com {

// Made current by every method of the component and by DllCanUnloadNow for their duration:
// the component's own module state, where the platform keeps one per module.
class ModuleStateScope {
  public:
    ModuleStateScope();
    ~ModuleStateScope();
    ModuleStateScope(const ModuleStateScope&) = delete;
    ModuleStateScope& operator=(const ModuleStateScope&) = delete;
};

// Held while a conversion runs: the run time's handler for invalid parameters, which turns a
// bad argument to a formatting function into a failed conversion instead of ending the host.
class ParameterFaultScope {
  public:
    ParameterFaultScope();
    ~ParameterFaultScope();
    ParameterFaultScope(const ParameterFaultScope&) = delete;
    ParameterFaultScope& operator=(const ParameterFaultScope&) = delete;
};

}  // namespace audiogram::com
