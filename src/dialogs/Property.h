#pragma once
// Properties of the dialogs that run code when they are read or written (a folder written to the
// default folder dialog moves its lists), used with plain assignment and conversion by callers:
//     dialog.DirName = folder;  folder = dialog.DirName;
#include <functional>
#include <utility>

namespace tavlo {

template <typename T>
class Property {
public:
    Property(std::function<T()> get, std::function<void(const T&)> set) : get_(std::move(get)), set_(std::move(set))
    {
    }
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;

    operator T() const { return get_(); }
    T get() const { return get_(); }
    Property& operator=(const T& value)
    {
        set_(value);
        return *this;
    }

private:
    std::function<T()> get_;
    std::function<void(const T&)> set_;
};

template <typename T>
class ReadOnlyProperty {
public:
    explicit ReadOnlyProperty(std::function<T()> get) : get_(std::move(get)) {}
    ReadOnlyProperty(const ReadOnlyProperty&) = delete;
    ReadOnlyProperty& operator=(const ReadOnlyProperty&) = delete;

    operator T() const { return get_(); }
    T get() const { return get_(); }

private:
    std::function<T()> get_;
};

template <typename T>
class WriteOnlyProperty {
public:
    explicit WriteOnlyProperty(std::function<void(const T&)> set) : set_(std::move(set)) {}
    WriteOnlyProperty(const WriteOnlyProperty&) = delete;
    WriteOnlyProperty& operator=(const WriteOnlyProperty&) = delete;

    WriteOnlyProperty& operator=(const T& value)
    {
        set_(value);
        return *this;
    }

private:
    std::function<void(const T&)> set_;
};

} // namespace tavlo
