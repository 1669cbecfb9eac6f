#include "engine/sample/sample_star_schema.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numeric>
#include <set>
#include <vector>

#include "engine/sample/sample_catalog.h"
#include "engine/sample/sample_random.h"
#include "engine/storage/sqlite_database.h"

namespace engine {

namespace {

namespace catalog = sample_catalog;

const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};
const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kWeekdays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

constexpr const char* kTables = R"sql(
CREATE TABLE time_by_day (time_id INTEGER PRIMARY KEY, the_date TEXT, day_caption TEXT,
  the_year INTEGER, quarter TEXT, month_of_year INTEGER, month_name TEXT, day_of_month INTEGER,
  week_of_year INTEGER, week_name TEXT, day_of_week TEXT);
CREATE TABLE store (store_id INTEGER PRIMARY KEY, store_name TEXT, store_type TEXT,
  store_city TEXT, store_state TEXT, store_country TEXT, store_sqft INTEGER);
CREATE TABLE product_class (product_class_id INTEGER PRIMARY KEY, product_subcategory TEXT,
  product_category TEXT, product_department TEXT, product_family TEXT);
CREATE TABLE product (product_id INTEGER PRIMARY KEY, product_class_id INTEGER,
  brand_name TEXT, product_name TEXT, srp REAL);
CREATE TABLE customer (customer_id INTEGER PRIMARY KEY, full_name TEXT, city TEXT,
  state_province TEXT, country TEXT, gender TEXT, marital_status TEXT);
CREATE TABLE promotion (promotion_id INTEGER PRIMARY KEY, promotion_name TEXT, media_type TEXT);
CREATE TABLE supplier (supplier_id INTEGER PRIMARY KEY, supplier_name TEXT);
CREATE TABLE sales_fact (time_id INTEGER, store_id INTEGER, product_id INTEGER,
  customer_id INTEGER, promotion_id INTEGER, supplier_id INTEGER, unit_sales INTEGER,
  store_sales REAL, store_cost REAL);
)sql";

constexpr int kCustomers = 12000;
constexpr int kSuppliers = 640;

struct Store {
  int id;
  size_t state;
  int weight;
};

struct Product {
  int id;
  int price_cents;
  int supplier;
};

class StarWriter {
 public:
  StarWriter(SqliteDatabase& db, uint64_t seed) : db_(db), random_(seed) {}

  void Write(uint64_t rows) {
    WriteTime();
    WriteStores();
    WriteProducts();
    WriteCustomers();
    WritePromotions();
    WriteSuppliers();
    WriteFacts(rows);
  }

 private:
  void WriteTime() {
    using namespace std::chrono;
    SqliteStatement insert = db_.Prepare(
        "INSERT INTO time_by_day VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
    int id = 1;
    for (int y = kSampleFirstYear; y < kSampleFirstYear + kSampleYears; ++y) {
      const sys_days first{year{y} / January / 1};
      const sys_days last{year{y} / December / 31};
      // Weeks start on Monday; week 1 is the one that holds 1 January.
      const int first_weekday = static_cast<int>(weekday(first).iso_encoding()) - 1;
      for (sys_days day = first; day <= last; day += days{1}, ++id) {
        const year_month_day date(day);
        const int month = static_cast<int>(static_cast<unsigned>(date.month()));
        const int dom = static_cast<int>(static_cast<unsigned>(date.day()));
        const int week_day = static_cast<int>(weekday(day).iso_encoding()) - 1;
        const int week = (static_cast<int>((day - first).count()) + first_weekday) / 7 + 1;
        char iso[16];
        std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", y, month, dom);
        const std::string caption = std::string(kWeekdays[week_day]) + " " + std::to_string(dom) +
                                    " " + kShortMonths[month - 1] + " " + std::to_string(y);
        insert.Bind(1, int64_t{id})
            .Bind(2, std::string_view(iso))
            .Bind(3, caption)
            .Bind(4, int64_t{y})
            .Bind(5, "Q" + std::to_string((month - 1) / 3 + 1))
            .Bind(6, int64_t{month})
            .Bind(7, std::string_view(kMonths[month - 1]))
            .Bind(8, int64_t{dom})
            .Bind(9, int64_t{week})
            .Bind(10, "W" + std::to_string(week))
            .Bind(11, std::string_view(kWeekdays[week_day]))
            .Run();
        if (y < kSampleFirstYear + kSampleYears - 1)
          fact_days_.push_back({id, week_day >= 5 ? 13 : 10});
      }
    }
  }

  void WriteStores() {
    static const char* const kTypes[] = {"Supermarket", "Gourmet Supermarket", "Deluxe Supermarket",
                                         "Mid-Size Grocery", "Small Grocery"};
    SqliteStatement insert = db_.Prepare("INSERT INTO store VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    const auto& states = catalog::States();
    const auto& quarters = catalog::StoreQuarters();
    int id = 1;
    for (size_t s = 0; s < states.size(); ++s) {
      const auto& cities = states[s].cities;
      for (size_t c = 0; c < std::min<size_t>(3, cities.size()); ++c) {
        // The first city of a state, its largest, has two stores.
        const int count = c == 0 ? 2 : 1;
        for (int k = 0; k < count; ++k, ++id) {
          const std::string name =
              cities[c] + " " + quarters[(s + c + static_cast<size_t>(k)) % quarters.size()];
          const int type = static_cast<int>(random_.Below(5));
          insert.Bind(1, int64_t{id})
              .Bind(2, name)
              .Bind(3, std::string_view(kTypes[type]))
              .Bind(4, cities[c])
              .Bind(5, states[s].state)
              .Bind(6, states[s].country)
              .Bind(7, int64_t{15000 + static_cast<int>(random_.Below(25000))})
              .Run();
          stores_.push_back({id, s, 3 - type / 2});
          store_weight_total_ += stores_.back().weight;
        }
      }
    }
  }

  void WriteProducts() {
    SqliteStatement class_insert =
        db_.Prepare("INSERT INTO product_class VALUES (?1, ?2, ?3, ?4, ?5)");
    SqliteStatement product_insert = db_.Prepare("INSERT INTO product VALUES (?1, ?2, ?3, ?4, ?5)");
    const auto& brands = catalog::Brands();
    const double size_factors[] = {1.0, 1.8, 3.2, 5.5};
    int id = 1;
    for (size_t c = 0; c < catalog::Subcategories().size(); ++c) {
      const auto& sub = catalog::Subcategories()[c];
      const auto class_id = static_cast<int64_t>(c + 1);
      class_insert.Bind(1, class_id)
          .Bind(2, sub.subcategory)
          .Bind(3, sub.category)
          .Bind(4, sub.department)
          .Bind(5, sub.family)
          .Run();
      std::set<size_t> chosen;
      while (chosen.size() < 3)
        chosen.insert(random_.Below(static_cast<uint32_t>(brands.size())));
      for (size_t b : chosen)
        for (const auto& item : sub.items)
          for (size_t z = 0; z < sub.sizes.size(); ++z, ++id) {
            const double variation = 0.85 + 0.3 * random_.Unit();
            const int price =
                std::max(49, static_cast<int>(std::lround(sub.base_price_cents *
                                                          size_factors[z % 4] * variation)));
            product_insert.Bind(1, int64_t{id})
                .Bind(2, class_id)
                .Bind(3, brands[b])
                .Bind(4, brands[b] + " " + item + " " + sub.sizes[z])
                .Bind(5, price / 100.0)
                .Run();
            products_.push_back({id, price, 1 + static_cast<int>((id * 37) % kSuppliers)});
          }
    }
    // Popularity: a shuffled order, drawn with a skew towards its front.
    popularity_.resize(products_.size());
    std::iota(popularity_.begin(), popularity_.end(), 0);
    for (size_t i = popularity_.size(); i > 1; --i)
      std::swap(popularity_[i - 1], popularity_[random_.Below(static_cast<uint32_t>(i))]);
  }

  void WriteCustomers() {
    SqliteStatement insert =
        db_.Prepare("INSERT INTO customer VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    const auto& states = catalog::States();
    const auto& female = catalog::FemaleFirstNames();
    const auto& male = catalog::MaleFirstNames();
    const auto& last = catalog::LastNames();
    std::vector<std::pair<size_t, size_t>> cities;  // (state, city)
    for (size_t s = 0; s < states.size(); ++s)
      for (size_t c = 0; c < states[s].cities.size(); ++c)
        cities.emplace_back(s, c);
    customers_of_state_.resize(states.size());
    std::set<std::string> taken;  // "city|name"
    for (int id = 1; id <= kCustomers; ++id) {
      const auto [s, c] = cities[random_.Below(static_cast<uint32_t>(cities.size()))];
      const bool is_female = random_.Below(2) == 0;
      const auto& firsts = is_female ? female : male;
      const std::string first = firsts[random_.Below(static_cast<uint32_t>(firsts.size()))];
      const std::string surname = last[random_.Below(static_cast<uint32_t>(last.size()))];
      const std::string& city = states[s].cities[c];
      std::string name = first + " " + surname;
      for (int n = 0; !taken.insert(city + "|" + name).second; ++n)
        name = n < 26 ? first + " " + static_cast<char>('A' + n) + ". " + surname
                      : first + " " + surname + " " + std::to_string(n - 24);
      insert.Bind(1, int64_t{id})
          .Bind(2, name)
          .Bind(3, city)
          .Bind(4, states[s].state)
          .Bind(5, states[s].country)
          .Bind(6, std::string_view(is_female ? "Female" : "Male"))
          .Bind(7, std::string_view(random_.Below(100) < 55 ? "Married" : "Single"))
          .Run();
      customers_of_state_[s].push_back(id);
    }
  }

  void WritePromotions() {
    SqliteStatement insert = db_.Prepare("INSERT INTO promotion VALUES (?1, ?2, ?3)");
    const auto& media = catalog::MediaTypes();
    const auto& names = catalog::PromotionNames();
    insert.Bind(1, int64_t{0}).Bind(2, std::string_view("No Promotion")).Bind(3, media[0]).Run();
    for (size_t i = 0; i < names.size() * 2; ++i) {
      const std::string name = names[i % names.size()] + (i >= names.size() ? " II" : "");
      insert.Bind(1, static_cast<int64_t>(i + 1))
          .Bind(2, name)
          .Bind(3, media[1 + i % (media.size() - 1)])
          .Run();
    }
    promotion_count_ = static_cast<int>(names.size() * 2);
  }

  void WriteSuppliers() {
    SqliteStatement insert = db_.Prepare("INSERT INTO supplier VALUES (?1, ?2)");
    const auto& words = catalog::SupplierWords();
    const auto& trades = catalog::SupplierTrades();
    const auto& forms = catalog::SupplierForms();
    // Every combination once, in an order that mixes the words.
    for (int id = 1; id <= kSuppliers; ++id) {
      const size_t n = static_cast<size_t>(id - 1) * 7;
      const std::string name = words[n % words.size()] + " " +
                               trades[(n / words.size()) % trades.size()] + " " +
                               forms[(n / (words.size() * trades.size())) % forms.size()];
      insert.Bind(1, int64_t{id}).Bind(2, name).Run();
    }
  }

  void WriteFacts(uint64_t rows) {
    SqliteStatement insert =
        db_.Prepare("INSERT INTO sales_fact VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    static const int kUnitWeights[] = {30, 28, 18, 12, 8, 4};
    const auto product_count = static_cast<double>(products_.size());
    for (uint64_t r = 0; r < rows; ++r) {
      // A day, weekends selling more: draw days evenly and keep each by its weight.
      const auto day_count = static_cast<uint32_t>(fact_days_.size());
      const std::pair<int, int>* day = &fact_days_[random_.Below(day_count)];
      while (random_.Below(13) >= static_cast<uint32_t>(day->second))
        day = &fact_days_[random_.Below(day_count)];
      int pick = static_cast<int>(random_.Below(static_cast<uint32_t>(store_weight_total_)));
      const Store* store = &stores_.front();
      for (const Store& s : stores_) {
        if (pick < s.weight) {
          store = &s;
          break;
        }
        pick -= s.weight;
      }
      const auto& locals = customers_of_state_[store->state];
      const int customer = random_.Below(10) < 9 && !locals.empty()
                               ? locals[random_.Below(static_cast<uint32_t>(locals.size()))]
                               : 1 + static_cast<int>(random_.Below(kCustomers));
      const Product& product = products_[popularity_[static_cast<size_t>(
          product_count * std::pow(random_.Unit(), 1.6))]];
      const int promotion =
          random_.Below(10) < 7
              ? 0
              : 1 + static_cast<int>(random_.Below(static_cast<uint32_t>(promotion_count_)));
      int units = 1;
      for (int u = static_cast<int>(random_.Below(100)), i = 0; i < 6; ++i) {
        if (u < kUnitWeights[i]) {
          units = i + 1;
          break;
        }
        u -= kUnitWeights[i];
      }
      const int64_t sales_cents = int64_t{units} * product.price_cents;
      const int64_t cost_cents = sales_cents * (38 + static_cast<int64_t>(random_.Below(23))) / 100;
      insert.Bind(1, int64_t{day->first})
          .Bind(2, int64_t{store->id})
          .Bind(3, int64_t{product.id})
          .Bind(4, int64_t{customer})
          .Bind(5, int64_t{promotion})
          .Bind(6, int64_t{product.supplier})
          .Bind(7, int64_t{units})
          .Bind(8, static_cast<double>(sales_cents) / 100.0)
          .Bind(9, static_cast<double>(cost_cents) / 100.0)
          .Run();
    }
  }

  SqliteDatabase& db_;
  SampleRandom random_;
  std::vector<std::pair<int, int>> fact_days_;  // (time_id, weight)
  std::vector<Store> stores_;
  int store_weight_total_ = 0;
  std::vector<Product> products_;
  std::vector<size_t> popularity_;
  std::vector<std::vector<int>> customers_of_state_;
  int promotion_count_ = 0;
};

}  // namespace

void WriteSampleStarSchema(const std::string& path, uint64_t rows, uint64_t seed) {
  SqliteDatabase db = SqliteDatabase::OpenForWriting(path);
  db.Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA page_size = 65536;");
  db.Execute("BEGIN");
  db.Execute(kTables);
  StarWriter(db, seed).Write(rows);
  db.Execute("COMMIT");
}

}  // namespace engine
