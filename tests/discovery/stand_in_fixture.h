#pragma once
// Registers stand-in connector classes for one test and removes them again.
#include "stand_in_registration.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv::testing_keys {

class StandInClasses {
public:
    StandInClasses() = default;
    ~StandInClasses()
    {
        for (const GUID& classId : registered_) {
            qv::testbed::UnregisterStandInConnector(classId);
        }
    }
    StandInClasses(const StandInClasses&) = delete;
    StandInClasses& operator=(const StandInClasses&) = delete;

    // Registers the connector as stand-in class number `number`.
    void Add(unsigned number, qv::testbed::StandInConnector connector)
    {
        connector.classId = qv::testbed::StandInClassId(number);
        registered_.push_back(connector.classId);
        ASSERT_TRUE(qv::testbed::RegisterStandInConnector(connector));
    }

private:
    std::vector<GUID> registered_;
};

// A connector answering `version32` and `version64` with S_OK throughout.
inline qv::testbed::StandInConnector ServingConnector(const wchar_t* version32, const wchar_t* version64)
{
    qv::testbed::StandInConnector connector;
    connector.bits32.version = version32;
    connector.bits64.version = version64;
    return connector;
}

}  // namespace qv::testing_keys
