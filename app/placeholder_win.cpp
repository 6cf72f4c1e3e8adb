// Keeps the Win32 library non-empty until the first window code lands.
namespace { [[maybe_unused]] int placeholder; }
