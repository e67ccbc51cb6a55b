Attribute VB_Name = "modBill"
Option Explicit

Private Type InvoiceRow
    Number As Long
    Amount As Currency
End Type

Public Const MAX_ROWS = 500

Private mRows(MAX_ROWS) As InvoiceRow

' Returns how many invoices were posted
Public Function PostInvoices(ByVal onDay As Date) As Long
    Dim i As Long
    Dim n As Long
    For i = 0 To MAX_ROWS
        If mRows(i).Amount > 0 Then n = n + 1
    Next i
    PostInvoices = n
End Function

Rem Kept for the month-end run
Public Sub ClearRows()
    Erase mRows
End Sub
