#pragma once

#include <string>
#include <vector>

// The fixed word lists the synthetic sample is made of: places, products, people, suppliers,
// promotions. Facts are drawn from them with a seeded generator.
namespace engine::sample_catalog {

struct State {
  std::string country;
  std::string state;  // the short name used in unique names, such as "CA"
  std::vector<std::string> cities;
};

struct Subcategory {
  std::string family;
  std::string department;
  std::string category;
  std::string subcategory;
  std::vector<std::string> items;
  std::vector<std::string> sizes;
  int base_price_cents;
};

const std::vector<State>& States();
const std::vector<Subcategory>& Subcategories();
const std::vector<std::string>& Brands();
const std::vector<std::string>& FemaleFirstNames();
const std::vector<std::string>& MaleFirstNames();
const std::vector<std::string>& LastNames();
const std::vector<std::string>& StoreQuarters();  // "Downtown", "Northgate", ...
const std::vector<std::string>& SupplierWords();  // first words of supplier names
const std::vector<std::string>& SupplierTrades();
const std::vector<std::string>& SupplierForms();
const std::vector<std::string>& MediaTypes();
const std::vector<std::string>& PromotionNames();

}  // namespace engine::sample_catalog
