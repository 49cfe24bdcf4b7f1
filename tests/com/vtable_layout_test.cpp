// Hosts and the component meet only through vtable slots, so each method must sit at its
// slot, in our own declarations and in those generated for Windows alike. Under the Itanium
// C++ ABI of g++, clang and MinGW-w64, a pointer to a virtual member function holds 1 + the
// slot's byte offset in the vtable; that is read here.

#include <gtest/gtest.h>

#include <cstring>

#include "com/converter_interfaces.h"

namespace {

template <typename MemberFunction>
std::size_t SlotOf(MemberFunction member) {
    static_assert(sizeof member == 2 * sizeof(std::ptrdiff_t));
    std::ptrdiff_t representation[2];
    std::memcpy(representation, &member, sizeof member);
    return static_cast<std::size_t>(representation[0] - 1) / sizeof(void*);
}

// Slots are counted from 0: IUnknown holds 0 to 2, IDispatch 3 to 6, own methods start at 7.
TEST(VtableLayout, MethodsSitAtTheirSlots) {
    EXPECT_EQ(SlotOf(&IUnknown::AddRef), 1u);
    EXPECT_EQ(SlotOf(&IUnknown::Release), 2u);
    EXPECT_EQ(SlotOf(&IDispatch::GetTypeInfoCount), 3u);
    EXPECT_EQ(SlotOf(&IDispatch::Invoke), 6u);
    EXPECT_EQ(SlotOf(&IConvertAction::ConvertData), 7u);
    EXPECT_EQ(SlotOf(&IConvertAction::ValidateData), 8u);
    EXPECT_EQ(SlotOf(&IConvertAction::ConvertDataBlob), 9u);
    EXPECT_EQ(SlotOf(&IConverterVersion::GetConverterVersion), 7u);
    EXPECT_EQ(SlotOf(&IClassFactory::CreateInstance), 3u);
    EXPECT_EQ(SlotOf(&ISupportErrorInfo::InterfaceSupportsErrorInfo), 3u);
    // The host's interfaces: own slots 7, 15, 16 and 21, and 3 and 4.
    EXPECT_EQ(SlotOf(&IHostAction::GetDataType), 6u + 7u);
    EXPECT_EQ(SlotOf(&IHostAction::GetData), 6u + 15u);
    EXPECT_EQ(SlotOf(&IHostAction::PutData), 6u + 16u);
    EXPECT_EQ(SlotOf(&IHostAction::CreateAction), 6u + 21u);
    EXPECT_EQ(SlotOf(&IHostDataType::GetDataStandard), 6u + 3u);
    EXPECT_EQ(SlotOf(&IHostDataType::PutDataStandard), 6u + 4u);
}

}  // namespace
