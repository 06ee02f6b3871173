#pragma once
// A growable array of doubles with the operations the chart and requirement
// code call on it.
#include <string>
#include <vector>

class CArrayDouble {
 public:
  int GetSize() const { return static_cast<int>(data_.size()); }
  void SetSize(int size, int growBy = -1) { (void)growBy; data_.resize(size < 0 ? 0 : static_cast<size_t>(size)); }
  void RemoveAll() { data_.clear(); }
  int Add(double value) { data_.push_back(value); return GetSize() - 1; }
  double GetAt(int i) const { return data_.at(static_cast<size_t>(i)); }
  void SetAt(int i, double value) { data_.at(static_cast<size_t>(i)) = value; }
  double& operator[](int i) { return data_[static_cast<size_t>(i)]; }
  double operator[](int i) const { return data_[static_cast<size_t>(i)]; }
  const std::vector<double>& values() const { return data_; }

  // The numbers of the text's non-empty fields in order ("." as decimal
  // point; a field that is no number gives 0).
  void SetFromText(const std::string& text, char separator);
  void Sort();

 private:
  std::vector<double> data_;
};
