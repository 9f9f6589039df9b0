#include "windows/product_table.h"

namespace tesk::windows {

const std::array<Product, 9>& ProductTable() {
  static constexpr std::array<Product, 9> kProducts{{
      {"TESKLEDGER", "Tesk Ledger", true, ""},
      {"TESKPAYROLL", "Tesk Payroll", true, "PayrollSetting"},
      {"TESKTAXDESK", "Tesk Tax Desk", true, "TaxDeskSetting"},
      {"TESKINVOICE", "Tesk Invoice", false, ""},
      {"TESKSTOCK", "Tesk Stock Keeper", false, ""},
      {"TESKBANKREC", "Tesk Bank Reconciler", false, ""},
      {"TESKSALESTAX", "Tesk Sales Tax", false, ""},
      {"TESKAUDIT", "Tesk Audit Trail", false, ""},
      {"TESKBUDGET", "Tesk Budget Planner", false, ""},
  }};
  return kProducts;
}

const Product* FindProduct(std::string_view symbol) {
  for (const Product& product : ProductTable()) {
    if (product.symbol == symbol) return &product;
  }
  return nullptr;
}

}  // namespace tesk::windows
